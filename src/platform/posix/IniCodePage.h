#pragma once
// The legacy ("ANSI") code pages of INI files written by Windows programs:
// a file without a byte-order mark that is not UTF-8 is in the code page of
// the user's language. Conversions go through the C library's iconv.

#include <iconv.h>

#include <cstdint>
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

// One code page in both directions. Not shared between threads.
class CodePage {
public:
    explicit CodePage(int number);
    ~CodePage();
    CodePage(const CodePage&) = delete;
    CodePage& operator=(const CodePage&) = delete;

    int Number() const { return number_; }
    // Never fails: each byte that starts no valid character reads as U+FFFD.
    std::u16string Decode(std::string_view bytes);
    // Nothing when a character has no form in the code page.
    std::optional<std::string> Encode(std::u16string_view text);

private:
    int number_;
    // (iconv_t)-1 when the C library has no such converter.
    iconv_t toUtf16_;
    iconv_t fromUtf16_;
};

}  // namespace tessel
