#pragma once
// An INI file held line by line as read, so a change to one key leaves every
// other byte of the file as it was (comments, order, line ends, encoding).
//
// As on Windows: CR, LF and CR LF each end a line; lines added to a file take
// the file's first line end, and CR LF in a file that has none yet. A file
// without a byte-order mark is UTF-8 when it is valid UTF-8, else in a legacy
// code page; a change that the code page cannot hold (or whose bytes would
// then read as UTF-8) turns the file into UTF-16LE with a byte-order mark.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/posix/IniCodePage.h"

namespace tessel {

enum class IniEncoding { Utf8, Utf8WithBom, Utf16LeWithBom, LegacyCodePage };

// Section and key names compare without regard to case (ASCII and Latin-1).
bool IniNamesEqual(std::u16string_view a, std::u16string_view b);
std::size_t IniNameHash(std::u16string_view name);

class IniDocument {
public:
    enum class LineKind { Other, Section, Key };

    struct Line {
        std::string raw;      // the line's bytes without its line end
        std::u16string text;  // decoded
        std::string end;      // the line end's bytes; empty for a last line without one
    };

    // Never fails: undecodable bytes read as U+FFFD but are written back unchanged.
    // `legacyCodePage` is used when the bytes have no BOM and are not UTF-8.
    static IniDocument Parse(std::string_view bytes, int legacyCodePage = kDefaultLegacyCodePage);
    std::string Serialize() const;

    IniEncoding Encoding() const { return encoding_; }
    // The legacy code page of the file; 0 for the Unicode encodings.
    int CodePageNumber() const { return encoding_ == IniEncoding::LegacyCodePage ? codePage_ : 0; }
    const std::vector<Line>& Lines() const { return lines_; }

    // The kind of a line; for a section its name, for a key its name (which
    // may be empty) and raw value (everything after the first '=').
    static LineKind Classify(std::u16string_view text, std::u16string_view* name,
                             std::u16string_view* value);

    // Sets the key in the first section of that name, adding the section at the
    // end or the key after the section's last key when missing. False (and no
    // change) for names or values that cannot be stored on one line.
    bool SetValue(std::u16string_view section, std::u16string_view key, std::u16string_view value);
    // Drops every section of that name with all its lines.
    void RemoveSection(std::u16string_view section);

private:
    // Nothing when the file's encoding cannot hold the text.
    std::optional<std::string> Encode(std::u16string_view text) const;
    bool CanHold(std::u16string_view text) const;
    Line MakeLine(std::u16string_view text) const;
    // Gives the last line of the file its line end before a line follows.
    void EndLine(Line& line) const;
    void ReplaceValue(Line& line, std::u16string_view stored) const;
    std::optional<std::size_t> FindSection(std::u16string_view section) const;
    bool ReadsAsUtf8() const;
    void ConvertToUtf16();

    IniEncoding encoding_ = IniEncoding::Utf8;
    int codePage_ = kDefaultLegacyCodePage;
    std::vector<Line> lines_;
    std::string trailing_;              // an odd last byte of a UTF-16 file
    std::u16string lineEnd_ = u"\r\n";  // for lines this program adds
};

// How a stored value reads: surrounding blanks dropped, one pair of matching
// quotes removed.
std::u16string_view IniValueText(std::u16string_view raw);

}  // namespace tessel
