// Language table files (Skins/language.ini) and language files from anywhere:
// every entry loads, cut to its buffer, equal to what a direct lookup of the
// file gives; texts looked up in a language file fit the lookup's buffer.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzFiles.h"
#include "platform/PrivateProfile.h"
#include "text/LanguageTable.h"
#include "text/LocalText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessel;
    const auto folder = fuzz::ScratchFolder();
    const auto languageIni = folder / "language.ini";
    fuzz::WriteInput(languageIni, data, size);

    LanguageTable table;
    table.LoadLanguageTable(languageIni);
    const std::u16string_view section = LanguageTableSection(ReadLanguageSelector(languageIni));
    const auto entries = LanguageTableEntries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::u16string value = table.ValueAt(i);
        if (value.size() >= entries[i].capacity ||
            value != GetPrivateProfileString(section, entries[i].name, u"", entries[i].capacity,
                                             languageIni)) {
            std::abort();
        }
    }

    // The same bytes as the first language's file.
    const LanguageFiles files(folder);
    fuzz::WriteInput(files.FileFor(0), data, size);
    for (const char16_t* key : {u"IDS_MAIN_CAPTION", u"IDS_KEYBOARD_ESC", u""}) {
        if (files.LocalText(key, 0).size() > 259) {
            std::abort();
        }
    }
    for (int effect = -1; effect < 9; ++effect) {
        (void)files.EffectName(effect, 0);
    }
    return 0;
}
