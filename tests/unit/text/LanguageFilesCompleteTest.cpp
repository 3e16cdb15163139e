// Every language the program can choose ships a file that says everything the
// English file says: the same keys, no empty text where English has one, the
// same format conversions in the same order, nothing the program would cut.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "platform/Utf8.h"
#include "platform/posix/IniCodePage.h"
#include "platform/posix/IniDocument.h"
#include "text/SupportedLanguages.h"

namespace tessel {
namespace {

const std::filesystem::path kDataDir = std::filesystem::path(TESSEL_SOURCE_DIR) / "data";
constexpr int kEnglish = 1;
constexpr int kChoosableLanguages = static_cast<int>(kSupportedLanguageCount) - 1;
constexpr std::size_t kLongestText = 259;  // what the program reads of a value
constexpr std::u16string_view kSections[] = {u"TEXT", u"Mode"};

struct Entry {
    std::u16string value;
    int line = 0;
};
// Keys compare without case, as the program reads them.
struct NoCase {
    static char16_t Fold(char16_t c) { return c >= u'a' && c <= u'z' ? c - u'a' + u'A' : c; }
    bool operator()(const std::u16string& a, const std::u16string& b) const {
        return std::lexicographical_compare(
            a.begin(), a.end(), b.begin(), b.end(),
            [](char16_t x, char16_t y) { return Fold(x) < Fold(y); });
    }
};
using Section = std::map<std::u16string, Entry, NoCase>;

struct LanguageFile {
    std::string name;
    bool found = false;
    std::map<std::u16string, Section, NoCase> sections;
    std::vector<std::string> faults;  // duplicate keys, undecodable bytes
};

std::string Narrow(std::u16string_view text) {
    return ToUtf8(text);
}

LanguageFile ParseLanguageFile(std::string name, std::string_view bytes) {
    LanguageFile file;
    file.name = std::move(name);
    file.found = true;
    Section* current = nullptr;
    int lineNumber = 0;
    const IniDocument document = IniDocument::Parse(bytes);
    for (const IniDocument::Line& line : document.Lines()) {
        ++lineNumber;
        const std::string at = "line " + std::to_string(lineNumber);
        // The engine would read such a file in the legacy code page instead.
        if (document.Encoding() != IniEncoding::Utf16LeWithBom && !IsValidUtf8(line.raw)) {
            file.faults.push_back(at + " is not valid UTF-8");
        }
        std::u16string_view key;
        std::u16string_view value;
        switch (IniDocument::Classify(line.text, &key, &value)) {
            case IniDocument::LineKind::Section:
                current = &file.sections[std::u16string(key)];
                break;
            case IniDocument::LineKind::Key: {
                const Entry entry{std::u16string(IniValueText(value)), lineNumber};
                if (current && !current->try_emplace(std::u16string(key), entry).second) {
                    file.faults.push_back(at + ": " + Narrow(key) +
                                          " again; only the first one is read");
                }
                break;
            }
            case IniDocument::LineKind::Other:
                break;
        }
    }
    return file;
}

LanguageFile ReadLanguageFile(int languageIndex) {
    const std::string name = Narrow(LanguageFileName(languageIndex));
    std::ifstream in(kDataDir / name, std::ios::binary);
    if (!in) {
        LanguageFile missing;
        missing.name = name;
        return missing;
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return ParseLanguageFile(name, bytes);
}

// The conversions a formatter would fill, in order ("%%" is none).
std::vector<std::string> Conversions(std::u16string_view text) {
    static const std::regex conversion("%%|%[-+ #0]*[0-9]*(\\.[0-9]+)?[a-zA-Z]");
    const std::string narrow = Narrow(text);
    std::vector<std::string> found;
    for (std::sregex_iterator it(narrow.begin(), narrow.end(), conversion), end; it != end; ++it) {
        if (it->str() != "%%") {
            found.push_back(it->str());
        }
    }
    return found;
}

// What is wrong with `file` measured against the English file.
std::vector<std::string> Compare(const LanguageFile& file, const LanguageFile& english) {
    std::vector<std::string> faults = file.faults;
    if (!file.found) {
        return {"missing"};
    }
    for (std::u16string_view sectionName : kSections) {
        const std::string where = "[" + Narrow(sectionName) + "] ";
        const Section& reference = english.sections.at(std::u16string(sectionName));
        const auto own = file.sections.find(std::u16string(sectionName));
        static const Section kNone;
        const Section& section = own == file.sections.end() ? kNone : own->second;
        for (const auto& [key, entry] : reference) {
            const auto found = section.find(key);
            if (found == section.end()) {
                faults.push_back(where + Narrow(key) + " is missing");
                continue;
            }
            const std::u16string& text = found->second.value;
            const std::string at =
                where + Narrow(key) + " (line " + std::to_string(found->second.line) + ")";
            if (text.empty() && !entry.value.empty()) {
                faults.push_back(at + " is empty");
            }
            if (Conversions(text) != Conversions(entry.value)) {
                faults.push_back(at + " has other format conversions than English");
            }
            if (text.size() > kLongestText) {
                faults.push_back(at + " is longer than " + std::to_string(kLongestText));
            }
        }
        for (const auto& [key, entry] : section) {
            if (!reference.contains(key)) {
                faults.push_back(where + Narrow(key) + " (line " + std::to_string(entry.line) +
                                 ") is not in the English file");
            }
        }
    }
    return faults;
}

std::string Listed(const std::vector<std::string>& faults) {
    std::string text;
    for (const std::string& fault : faults) {
        text += "\n  " + fault;
    }
    return text;
}

TEST(LanguageFilesComplete, EveryChoosableLanguageSaysWhatEnglishSays) {
    const LanguageFile english = ReadLanguageFile(kEnglish);
    ASSERT_TRUE(english.found);
    ASSERT_TRUE(english.faults.empty()) << Listed(english.faults);
    ASSERT_GT(english.sections.at(u"TEXT").size(), 200u);
    ASSERT_EQ(english.sections.at(u"Mode").size(), 7u) << "the seven effect names";
    for (int index = 0; index < kChoosableLanguages; ++index) {
        const LanguageFile file = ReadLanguageFile(index);
        const std::vector<std::string> faults = Compare(file, english);
        EXPECT_TRUE(faults.empty()) << file.name << ":" << Listed(faults);
    }
}

// A file no language choice leads to would only go stale: Lang0000.ini of the
// never-chosen last entry, or a language the program has no identifier for.
TEST(LanguageFilesComplete, OnlyChoosableLanguagesShipFiles) {
    std::set<std::string> choosable;
    for (int index = 0; index < kChoosableLanguages; ++index) {
        choosable.insert(Narrow(LanguageFileName(index)));
    }
    for (const auto& item : std::filesystem::directory_iterator(kDataDir)) {
        const std::string name = item.path().filename().string();
        if (name.starts_with("Lang") && item.path().extension() == ".ini") {
            EXPECT_TRUE(choosable.contains(name)) << name << " is never read";
        }
    }
}

// The comparison itself: a file with each kind of fault is caught.
TEST(LanguageFilesComplete, TheComparisonFindsEachKindOfFault) {
    const auto parse = [](std::string_view text) { return ParseLanguageFile("test", text); };
    const LanguageFile english =
        parse("[TEXT]\nA=Up to %d macros\nB=Key %03x of %s\nC=Text\nD=\n[Mode]\n1=Wave\n");
    EXPECT_TRUE(Compare(parse("[TEXT]\nA=Höchstens %d\nB=Taste %03x von %s\nC=T\nD=\n"
                              "[Mode]\n1=Welle\n"),
                        english)
                    .empty());
    struct Case {
        const char* file;
        const char* fault;
    };
    const Case cases[] = {
        {"[TEXT]\nA=%d\nB=%03x %s\nD=\n[Mode]\n1=W\n", "C is missing"},
        {"[TEXT]\nA=%d\nB=%03x %s\nC=T\nD=\nE=x\n[Mode]\n1=W\n", "E (line 6) is not in"},
        {"[TEXT]\nA=%d\nB=%03x %s\nC=\nD=\n[Mode]\n1=W\n", "C (line 4) is empty"},
        {"[TEXT]\nA=%d\nB=%s %03x\nC=T\nD=\n[Mode]\n1=W\n", "B (line 3) has other"},
        {"[TEXT]\nA=%d %d\nB=%03x %s\nC=T\nD=\n[Mode]\n1=W\n", "A (line 2) has other"},
        {"[TEXT]\nA=%d\nB=%03x %s\nC=T\nD=\n[Mode]\n", "[Mode] 1 is missing"},
        {"[TEXT]\nA=%d\nB=%03x %s\nC=T\nD=\nc=U\n[Mode]\n1=W\n", "line 6: c again"},
        {"[TEXT]\nA=%d\nB=%03x %s\nC=\xC3\x28\nD=\n[Mode]\n1=W\n", "line 4 is not valid"},
    };
    for (const Case& c : cases) {
        EXPECT_NE(Listed(Compare(parse(c.file), english)).find(c.fault), std::string::npos)
            << c.file;
    }
    const std::string longText =
        "[TEXT]\nA=%d\nB=%03x %s\nC=" + std::string(260, 'x') + "\nD=\n[Mode]\n1=W\n";
    EXPECT_NE(Listed(Compare(parse(longText), english)).find("longer than 259"), std::string::npos);
    LanguageFile absent;
    EXPECT_EQ(Compare(absent, english), std::vector<std::string>{"missing"});
}

}  // namespace
}  // namespace tessel
