#include "platform/PrivateProfile.h"

#include <atomic>
#include <mutex>

#include "platform/posix/IniDocument.h"
#include "platform/posix/PrivateProfileCache.h"
#include "platform/posix/PrivateProfileFile.h"

namespace tessel {
namespace {

// Keeps room for the terminator of the caller's buffer and never leaves half
// of a surrogate pair at the end.
std::u16string CutToBuffer(std::u16string_view text, std::size_t bufferSize) {
    if (text.size() >= bufferSize) {
        text = text.substr(0, bufferSize - 1);
        if (!text.empty() && text.back() >= 0xD800 && text.back() <= 0xDBFF) {
            text.remove_suffix(1);
        }
    }
    return std::u16string(text);
}

std::u16string_view WithoutTrailingBlanks(std::u16string_view text) {
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\t')) {
        text.remove_suffix(1);
    }
    return text;
}

std::atomic<int>& LegacyCodePage() {
    static std::atomic<int> codePage{kDefaultLegacyCodePage};
    return codePage;
}

// Read-modify-write of one file at a time, so two threads writing different
// keys of the same file do not lose each other's change.
std::mutex& WriteMutex() {
    static std::mutex mutex;
    return mutex;
}

}  // namespace

std::u16string GetPrivateProfileString(std::u16string_view section, std::u16string_view key,
                                       std::u16string_view defaultValue, std::size_t bufferSize,
                                       const std::filesystem::path& file) {
    if (bufferSize == 0) {
        return {};
    }
    const std::shared_ptr<const IniLookup> lookup =
        PrivateProfileCache::Instance().Lookup(file, LegacyCodePage());
    if (lookup) {
        if (const std::optional<std::u16string_view> value = lookup->Find(section, key)) {
            return CutToBuffer(*value, bufferSize);
        }
    }
    return CutToBuffer(WithoutTrailingBlanks(defaultValue), bufferSize);
}

bool WritePrivateProfileString(std::u16string_view section, std::u16string_view key,
                               std::u16string_view value, const std::filesystem::path& file) {
    std::lock_guard lock(WriteMutex());
    std::string bytes;
    if (ReadProfileFile(file, bytes) == FileRead::Failed) {
        return false;
    }
    IniDocument document = IniDocument::Parse(bytes, LegacyCodePage());
    if (!document.SetValue(section, key, value)) {
        return false;
    }
    const bool written = ReplaceProfileFile(file, document.Serialize());
    PrivateProfileCache::Instance().Forget(file);
    return written;
}

void SetPrivateProfileLanguage(std::uint16_t languageId) {
    LegacyCodePage() = LegacyCodePageOf(languageId);
}

}  // namespace tessel
