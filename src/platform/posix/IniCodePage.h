#pragma once
// The legacy ("ANSI") code pages of INI files written by Windows programs:
// a file without a byte-order mark that is not UTF-8 is in the code page of
// the user's language. What each byte and byte pair means is asked of the C
// library's iconv one character at a time, once per code page; texts are then
// converted with those tables, never by handing iconv a whole buffer.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tessel {

inline constexpr int kDefaultLegacyCodePage = 1252;

// 936 for Simplified Chinese (0x0804), 950 for Traditional Chinese (0x0404),
// 949 for Korean (0x0412), 1252 for every other language.
int LegacyCodePageOf(std::uint16_t languageId);

// Strict UTF-8: no overlong forms, surrogates or values beyond U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

struct CodePageTables;

// One code page in both directions; any number of threads may use it.
class CodePage {
public:
    explicit CodePage(int number);

    int Number() const { return number_; }
    // Never fails: each byte that starts no valid character reads as U+FFFD.
    std::u16string Decode(std::string_view bytes) const;
    // Nothing when a character has no form in the code page.
    std::optional<std::string> Encode(std::u16string_view text) const;

private:
    int number_;
    std::shared_ptr<const CodePageTables> tables_;
};

}  // namespace tessel
