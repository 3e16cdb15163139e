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

std::u16string_view WithoutBlanks(std::u16string_view text) {
    while (!text.empty() && (text.front() == u' ' || text.front() == u'\t')) {
        text.remove_prefix(1);
    }
    return WithoutTrailingBlanks(text);
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

std::vector<std::u16string> GetPrivateProfileSection(std::u16string_view section,
                                                     const std::filesystem::path& file) {
    std::string bytes;
    if (ReadProfileFile(file, bytes) != FileRead::Read) {
        return {};
    }
    const IniDocument document = IniDocument::Parse(bytes, LegacyCodePage());
    std::vector<std::u16string> lines;
    bool inside = false;
    for (const IniDocument::Line& line : document.Lines()) {
        std::u16string_view name, value;
        const auto kind = IniDocument::Classify(line.text, &name, &value);
        if (kind == IniDocument::LineKind::Section) {
            if (inside) {
                break;
            }
            inside = IniNamesEqual(name, section);
            continue;
        }
        const std::u16string_view text = WithoutBlanks(line.text);
        if (inside && !text.empty() && text.front() != u';') {
            lines.emplace_back(text);
        }
    }
    return lines;
}

bool WritePrivateProfileSection(
    std::u16string_view section,
    const std::vector<std::pair<std::u16string, std::u16string>>& entries,
    const std::filesystem::path& file) {
    std::lock_guard lock(WriteMutex());
    std::string bytes;
    if (ReadProfileFile(file, bytes) == FileRead::Failed) {
        return false;
    }
    IniDocument document = IniDocument::Parse(bytes, LegacyCodePage());
    document.RemoveSection(section);
    for (const auto& [key, value] : entries) {
        if (!document.SetValue(section, key, value)) {
            return false;
        }
    }
    const bool written = ReplaceProfileFile(file, document.Serialize());
    PrivateProfileCache::Instance().Forget(file);
    return written;
}

void SetPrivateProfileLanguage(std::uint16_t languageId) {
    LegacyCodePage() = LegacyCodePageOf(languageId);
}

}  // namespace tessel
