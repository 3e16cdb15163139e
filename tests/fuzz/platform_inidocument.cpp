// INI files from anywhere, in any line ends and encoding: parsing never fails,
// an unchanged document is written back byte for byte, and a value set is the
// value read (the file turns to UTF-16 when its code page cannot hold it).

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/posix/IniDocument.h"
#include "platform/posix/PrivateProfileCache.h"

using tessel::IniDocument;
using tessel::IniLookup;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    static constexpr int kCodePages[] = {1252, 936, 950, 949};
    const int codePage = kCodePages[size % 4];
    IniDocument document = IniDocument::Parse(bytes, codePage);
    if (document.Serialize() != bytes) {
        std::abort();
    }
    const IniLookup before(document);
    (void)before.Find(u"TEXT", u"IDS_MAIN_OK");

    // Section, key and value taken from the first bytes of the input.
    std::u16string parts[3];
    for (std::size_t i = 0; i < size && i < 48; ++i) {
        parts[i % 3].push_back(static_cast<char16_t>(data[i] | (i % 5 == 0 ? 0x4E00 : 0)));
    }
    if (document.SetValue(parts[0], parts[1], parts[2])) {
        const IniDocument again = IniDocument::Parse(document.Serialize(), codePage);
        const IniLookup after(again);
        const auto found = after.Find(parts[0], parts[1]);
        if (!found || *found != parts[2]) {
            std::abort();
        }
    }
    return 0;
}
