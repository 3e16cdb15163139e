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

IniDocument IniDocument::Parse(std::string_view bytes) {
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
    }

    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = start;
        while (end < bytes.size() && !(bytes[end] == '\n' && (unit == 1 || bytes[end + 1] == 0))) {
            end += unit;
        }
        Line line;
        line.raw = std::string(bytes.substr(start, end - start));
        line.text = unit == 2 ? DecodeUtf16Le(line.raw) : FromUtf8(line.raw);
        if (!line.text.empty() && line.text.back() == u'\r') {
            line.text.pop_back();
        }
        line.newline = end < bytes.size();
        if (doc.lines_.empty() && line.newline) {
            doc.crlf_ = line.raw.size() >= unit && line.raw[line.raw.size() - unit] == '\r' &&
                        (unit == 1 || line.raw.back() == 0);
        }
        doc.lines_.push_back(std::move(line));
        start = end + unit;
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
    const std::string newline = NewlineBytes();
    for (const Line& line : lines_) {
        bytes += line.raw;
        if (line.newline) {
            bytes += newline;
        }
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
    return name->empty() ? LineKind::Other : LineKind::Key;
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

    const std::optional<std::size_t> header = FindSection(section);
    if (!header) {
        if (!lines_.empty()) {
            EndLine(lines_.back());
        }
        lines_.push_back(MakeLine(u"[" + std::u16string(section) + u"]"));
        lines_.push_back(MakeLine(std::u16string(key) + u"=" + stored));
        return true;
    }

    std::size_t insertAfter = *header;
    for (std::size_t i = *header + 1; i < lines_.size(); ++i) {
        std::u16string_view name, oldValue;
        const LineKind kind = Classify(lines_[i].text, &name, &oldValue);
        if (kind == LineKind::Section) {
            break;
        }
        if (kind != LineKind::Key) {
            continue;
        }
        if (IniNamesEqual(name, key)) {
            const std::size_t equals = lines_[i].text.find(u'=');
            Line replaced = MakeLine(lines_[i].text.substr(0, equals + 1) + stored);
            replaced.newline = lines_[i].newline;
            lines_[i] = std::move(replaced);
            return true;
        }
        insertAfter = i;
    }
    EndLine(lines_[insertAfter]);
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAfter) + 1,
                  MakeLine(std::u16string(key) + u"=" + stored));
    return true;
}

std::string IniDocument::Encode(std::u16string_view text) const {
    if (encoding_ != IniEncoding::Utf16LeWithBom) {
        return ToUtf8(text);
    }
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

std::string IniDocument::NewlineBytes() const {
    return Encode(u"\n");
}

void IniDocument::EndLine(Line& line) const {
    if (!line.newline) {
        line.newline = true;
        if (crlf_) {
            line.raw += Encode(u"\r");
        }
    }
}

IniDocument::Line IniDocument::MakeLine(std::u16string_view text) const {
    Line line;
    line.text = text;
    line.raw = Encode(crlf_ ? std::u16string(text) + u"\r" : std::u16string(text));
    line.newline = true;
    return line;
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

}  // namespace tessel
