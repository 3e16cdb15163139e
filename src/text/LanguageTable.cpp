#include "text/LanguageTable.h"

#include "platform/PrivateProfile.h"
#include "text/UserLanguageSelector.h"

namespace tessel {
namespace {

constexpr std::u16string_view kSelectorSection = u"LANGUAGE";
constexpr std::u16string_view kSelectorKey = u"language";
// A blank default reads as empty (the engine drops trailing blanks).
constexpr std::u16string_view kBlankDefault = u" ";
constexpr std::size_t kSelectorBuffer = 260;

// Like _wtoi: optional blanks and sign, then digits; no number gives 0.
int LeadingNumber(std::u16string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i] - u'0');
        if (value > 2147483648LL) {
            value = 2147483648LL;
        }
    }
    value = negative ? -value : value;
    return static_cast<int>(value > 2147483647LL ? 2147483647LL : value);
}

}  // namespace

int ReadLanguageSelector(const std::filesystem::path& languageIni) {
    return LeadingNumber(GetPrivateProfileString(kSelectorSection, kSelectorKey, kBlankDefault,
                                                 kSelectorBuffer,
                                                 LanguageSelectorSource(languageIni)));
}

std::u16string_view LanguageTableSection(int selector) {
    return selector == 1 ? u"ENGINSH" : u"CHINESE";
}

LanguageTable::LanguageTable() {
    values_.reserve(kLanguageTableSize);
    for (const LanguageTableEntry& entry : LanguageTableEntries()) {
        values_.emplace_back(entry.builtIn);
    }
}

void LanguageTable::LoadLanguageTable(const std::filesystem::path& languageIni) {
    const std::u16string_view section = LanguageTableSection(ReadLanguageSelector(languageIni));
    std::vector<std::u16string> loaded;
    loaded.reserve(kLanguageTableSize);
    for (const LanguageTableEntry& entry : LanguageTableEntries()) {
        loaded.push_back(GetPrivateProfileString(section, entry.name, kBlankDefault, entry.capacity,
                                                 languageIni));
    }
    std::lock_guard lock(mutex_);
    values_ = std::move(loaded);
}

std::u16string LanguageTable::TextKey(TextKeyEntry entry) const {
    return ValueAt(static_cast<std::size_t>(entry));
}

std::u16string LanguageTable::LocalisedText(TextKeyEntry entry, const TextLookup& texts) const {
    return texts.LocalText(TextKey(entry));
}

std::u16string LanguageTable::Value(TextEntry entry) const {
    return ValueAt(static_cast<std::size_t>(entry));
}

std::u16string LanguageTable::ValueAt(std::size_t position) const {
    std::lock_guard lock(mutex_);
    return position < values_.size() ? values_[position] : std::u16string();
}

bool RunLanguageCommand(LanguageTable& table, const std::filesystem::path& languageIni) {
    const bool written = StoreLanguageCommandSelector(languageIni);
    table.LoadLanguageTable(languageIni);
    return written;
}

}  // namespace tessel
