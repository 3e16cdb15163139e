#pragma once
// An INI file held line by line as read, so a change to one key leaves every
// other byte of the file as it was (comments, order, line endings, encoding).

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessel {

enum class IniEncoding { Utf8, Utf8WithBom, Utf16LeWithBom };

// Section and key names compare without regard to case (ASCII and Latin-1).
bool IniNamesEqual(std::u16string_view a, std::u16string_view b);
std::size_t IniNameHash(std::u16string_view name);

class IniDocument {
public:
    enum class LineKind { Other, Section, Key };

    struct Line {
        std::string raw;       // the line's bytes without its '\n' ('\r' stays here)
        std::u16string text;   // decoded, without '\r'
        bool newline = false;  // followed by '\n'
    };

    // Never fails: undecodable bytes read as U+FFFD but are written back unchanged.
    static IniDocument Parse(std::string_view bytes);
    std::string Serialize() const;

    IniEncoding Encoding() const { return encoding_; }
    const std::vector<Line>& Lines() const { return lines_; }

    // The kind of a line; for a section its name, for a key its name and raw
    // value (everything after the first '=').
    static LineKind Classify(std::u16string_view text, std::u16string_view* name,
                             std::u16string_view* value);

    // Sets the key in the first section of that name, adding the section at the
    // end or the key after the section's last key when missing. False (and no
    // change) for names or values that cannot be stored on one line.
    bool SetValue(std::u16string_view section, std::u16string_view key, std::u16string_view value);

private:
    std::string Encode(std::u16string_view text) const;
    std::string NewlineBytes() const;
    Line MakeLine(std::u16string_view text) const;
    // Gives the last line of the file its line break before a line follows.
    void EndLine(Line& line) const;
    std::optional<std::size_t> FindSection(std::u16string_view section) const;

    IniEncoding encoding_ = IniEncoding::Utf8;
    std::vector<Line> lines_;
    std::string trailing_;  // an odd last byte of a UTF-16 file
    bool crlf_ = false;
};

// How a stored value reads: surrounding blanks dropped, one pair of matching
// quotes removed.
std::u16string_view IniValueText(std::u16string_view raw);

}  // namespace tessel
