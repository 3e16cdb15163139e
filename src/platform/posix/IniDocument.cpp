#include "platform/posix/IniDocument.h"

#include "platform/Utf8.h"

namespace tessel {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";

char16_t FoldCase(char16_t c) {
    if (c >= u'A' && c <= u'Z') {
        return static_cast<char16_t>(c + 32);
    }
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) {  // Latin-1 capitals
        return static_cast<char16_t>(c + 32);
    }
    return c;
}

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

std::u16string_view Trim(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool IsQuote(char16_t c) {
    return c == u'"' || c == u'\'';
}

bool HasLineBreak(std::u16string_view text) {
    return text.find_first_of(u"\r\n") != std::u16string_view::npos;
}

// A value that would not read back as written is stored in quotes.
std::u16string StoredValue(std::u16string_view value) {
    const bool blankEdge = !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()));
    const bool quoted =
        value.size() >= 2 && IsQuote(value.front()) && value.front() == value.back();
    if (blankEdge || quoted) {
        return u"\"" + std::u16string(value) + u"\"";
    }
    return std::u16string(value);
}

std::u16string DecodeUtf16Le(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                             (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    }
    return text;
}

std::string EncodeUtf16Le(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

// Reads the code units of a file body: single bytes, or UTF-16LE units.
class UnitReader {
public:
    UnitReader(std::string_view bytes, std::size_t unit) : bytes_(bytes), unit_(unit) {}
    std::size_t Size() const { return bytes_.size(); }
    char16_t At(std::size_t i) const {
        const auto low = static_cast<unsigned char>(bytes_[i]);
        return unit_ == 1
                   ? low
                   : static_cast<char16_t>(low | (static_cast<unsigned char>(bytes_[i + 1]) << 8));
    }
    bool IsLineEnd(std::size_t i) const { return At(i) == u'\r' || At(i) == u'\n'; }
    // Bytes of the line end at i: CR LF counts as one.
    std::size_t LineEndLength(std::size_t i) const {
        if (At(i) == u'\r' && i + unit_ < bytes_.size() && At(i + unit_) == u'\n') {
            return 2 * unit_;
        }
        return unit_;
    }

private:
    std::string_view bytes_;
    std::size_t unit_;
};

}  // namespace

bool IniNamesEqual(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i])) {
            return false;
        }
    }
    return true;
}

std::size_t IniNameHash(std::u16string_view name) {
    std::size_t hash = 14695981039346656037ull;
    for (char16_t c : name) {
        hash = (hash ^ FoldCase(c)) * 1099511628211ull;
    }
    return hash;
}

std::u16string_view IniValueText(std::u16string_view raw) {
    raw = Trim(raw);
    if (raw.size() >= 2 && IsQuote(raw.front()) && raw.front() == raw.back()) {
        raw = raw.substr(1, raw.size() - 2);
    }
    return raw;
}

IniDocument IniDocument::Parse(std::string_view bytes, int legacyCodePage) {
    IniDocument doc;
    std::size_t unit = 1;
    if (bytes.starts_with(kUtf16LeBom)) {
        doc.encoding_ = IniEncoding::Utf16LeWithBom;
        bytes.remove_prefix(kUtf16LeBom.size());
        if (bytes.size() % 2 != 0) {
            doc.trailing_.push_back(bytes.back());
            bytes.remove_suffix(1);
        }
        unit = 2;
    } else if (bytes.starts_with(kUtf8Bom)) {
        doc.encoding_ = IniEncoding::Utf8WithBom;
        bytes.remove_prefix(kUtf8Bom.size());
    } else if (!IsValidUtf8(bytes)) {
        doc.encoding_ = IniEncoding::LegacyCodePage;
        doc.codePage_ = legacyCodePage;
    }
    std::optional<CodePage> codePage;
    if (doc.encoding_ == IniEncoding::LegacyCodePage) {
        codePage.emplace(legacyCodePage);
    }

    const UnitReader reader(bytes, unit);
    bool sawLineEnd = false;
    std::size_t start = 0;
    while (start < reader.Size()) {
        std::size_t end = start;
        while (end < reader.Size() && !reader.IsLineEnd(end)) {
            end += unit;
        }
        Line line;
        line.raw = std::string(bytes.substr(start, end - start));
        line.text = unit == 2  ? DecodeUtf16Le(line.raw)
                    : codePage ? codePage->Decode(line.raw)
                               : FromUtf8(line.raw);
        start = end;
        if (end < reader.Size()) {
            const std::size_t length = reader.LineEndLength(end);
            line.end = std::string(bytes.substr(end, length));
            if (!sawLineEnd) {
                sawLineEnd = true;
                doc.lineEnd_ = length == 2 * unit ? u"\r\n" : std::u16string(1, reader.At(end));
            }
            start += length;
        }
        doc.lines_.push_back(std::move(line));
    }
    return doc;
}

std::string IniDocument::Serialize() const {
    std::string bytes;
    if (encoding_ == IniEncoding::Utf8WithBom) {
        bytes = kUtf8Bom;
    } else if (encoding_ == IniEncoding::Utf16LeWithBom) {
        bytes = kUtf16LeBom;
    }
    for (const Line& line : lines_) {
        bytes += line.raw;
        bytes += line.end;
    }
    return bytes + trailing_;
}

IniDocument::LineKind IniDocument::Classify(std::u16string_view text, std::u16string_view* name,
                                            std::u16string_view* value) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    if (text.empty() || text.front() == u';') {
        return LineKind::Other;
    }
    if (text.front() == u'[') {
        const std::size_t close = text.find(u']');
        *name = Trim(text.substr(1, close == std::u16string_view::npos ? close : close - 1));
        return LineKind::Section;
    }
    const std::size_t equals = text.find(u'=');
    if (equals == std::u16string_view::npos) {
        return LineKind::Other;
    }
    *name = Trim(text.substr(0, equals));
    *value = text.substr(equals + 1);
    return LineKind::Key;  // "=v" is the key named ""
}

bool IniDocument::SetValue(std::u16string_view section, std::u16string_view key,
                           std::u16string_view value) {
    if (section.empty() || HasLineBreak(section) || section.find(u']') != section.npos ||
        Trim(section) != section) {
        return false;
    }
    if (key.empty() || HasLineBreak(key) || key.find(u'=') != key.npos || Trim(key) != key ||
        key.front() == u'[' || key.front() == u';' || HasLineBreak(value)) {
        return false;
    }
    const std::u16string stored = StoredValue(value);
    if (!CanHold(section) || !CanHold(key) || !CanHold(stored)) {
        ConvertToUtf16();
    }

    const std::optional<std::size_t> header = FindSection(section);
    if (!header) {
        if (!lines_.empty()) {
            EndLine(lines_.back());
        }
        lines_.push_back(MakeLine(u"[" + std::u16string(section) + u"]"));
        lines_.push_back(MakeLine(std::u16string(key) + u"=" + stored));
    } else {
        std::size_t insertAfter = *header;
        bool replaced = false;
        for (std::size_t i = *header + 1; i < lines_.size() && !replaced; ++i) {
            std::u16string_view name, oldValue;
            const LineKind kind = Classify(lines_[i].text, &name, &oldValue);
            if (kind == LineKind::Section) {
                break;
            }
            if (kind != LineKind::Key) {
                continue;
            }
            if (IniNamesEqual(name, key)) {
                ReplaceValue(lines_[i], stored);
                replaced = true;
            }
            insertAfter = i;
        }
        if (!replaced) {
            EndLine(lines_[insertAfter]);
            lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAfter) + 1,
                          MakeLine(std::u16string(key) + u"=" + stored));
        }
    }
    if (encoding_ == IniEncoding::LegacyCodePage && ReadsAsUtf8()) {
        ConvertToUtf16();
    }
    return true;
}

void IniDocument::RemoveSection(std::u16string_view section) {
    bool inside = false;
    std::erase_if(lines_, [&](const Line& line) {
        std::u16string_view name, value;
        if (Classify(line.text, &name, &value) == LineKind::Section) {
            inside = IniNamesEqual(name, section);
        }
        return inside;
    });
}

std::optional<std::string> IniDocument::Encode(std::u16string_view text) const {
    switch (encoding_) {
        case IniEncoding::Utf16LeWithBom:
            return EncodeUtf16Le(text);
        case IniEncoding::LegacyCodePage:
            return CodePage(codePage_).Encode(text);
        case IniEncoding::Utf8:
        case IniEncoding::Utf8WithBom:
            break;
    }
    return ToUtf8(text);
}

bool IniDocument::CanHold(std::u16string_view text) const {
    return Encode(text).has_value();
}

void IniDocument::EndLine(Line& line) const {
    if (line.end.empty()) {
        line.end = Encode(lineEnd_).value_or("\r\n");
    }
}

IniDocument::Line IniDocument::MakeLine(std::u16string_view text) const {
    Line line;
    line.text = text;
    line.raw = Encode(text).value_or(std::string());
    EndLine(line);
    return line;
}

// Keeps the bytes up to the first '=' as they are: in every encoding read here
// that byte (or unit) is never part of another character.
void IniDocument::ReplaceValue(Line& line, std::u16string_view stored) const {
    const std::size_t equals = line.text.find(u'=');
    std::size_t rawEquals = 0;
    if (encoding_ == IniEncoding::Utf16LeWithBom) {
        while (rawEquals + 1 < line.raw.size() &&
               !(line.raw[rawEquals] == '=' && line.raw[rawEquals + 1] == 0)) {
            rawEquals += 2;
        }
        rawEquals += 2;
    } else {
        rawEquals = line.raw.find('=') + 1;
    }
    line.raw.resize(rawEquals);
    line.raw += Encode(stored).value_or(std::string());
    line.text.resize(equals + 1);
    line.text += stored;
}

std::optional<std::size_t> IniDocument::FindSection(std::u16string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        std::u16string_view name, value;
        if (Classify(lines_[i].text, &name, &value) == LineKind::Section &&
            IniNamesEqual(name, section)) {
            return i;
        }
    }
    return std::nullopt;
}

bool IniDocument::ReadsAsUtf8() const {
    std::string bytes;
    bool wide = false;
    for (const Line& line : lines_) {
        for (char c : line.raw) {
            wide = wide || static_cast<unsigned char>(c) >= 0x80;
        }
        bytes += line.raw;
        bytes += line.end;
    }
    return wide && IsValidUtf8(bytes);
}

// Every line is re-encoded from its text; only bytes that never decoded are lost.
void IniDocument::ConvertToUtf16() {
    if (encoding_ == IniEncoding::Utf16LeWithBom) {
        return;
    }
    for (Line& line : lines_) {
        line.raw = EncodeUtf16Le(line.text);
        std::u16string end;
        for (char c : line.end) {
            end.push_back(static_cast<char16_t>(c));
        }
        line.end = EncodeUtf16Le(end);
    }
    encoding_ = IniEncoding::Utf16LeWithBom;
}

}  // namespace tessel
