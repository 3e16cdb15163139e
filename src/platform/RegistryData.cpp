#include "platform/RegistryData.h"

#include <cctype>

#include "platform/Utf8.h"

namespace tessel {

namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kRootPrefix = "HKEY_CURRENT_USER\\";
constexpr std::string_view kDwordPrefix = "dword:";

std::u16string Fold(std::u16string_view text) {
    std::u16string folded(text);
    for (char16_t& c : folded) {
        if (c >= u'A' && c <= u'Z') {
            c = static_cast<char16_t>(c - u'A' + u'a');
        }
    }
    return folded;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        auto a = static_cast<unsigned char>(text[i]);
        auto b = static_cast<unsigned char>(prefix[i]);
        if (std::tolower(a) != std::tolower(b)) {
            return false;
        }
    }
    return true;
}

std::u16string_view TrimSeparators(std::u16string_view path) {
    while (!path.empty() && path.front() == u'\\') {
        path.remove_prefix(1);
    }
    while (!path.empty() && path.back() == u'\\') {
        path.remove_suffix(1);
    }
    return path;
}

std::string Quote(std::u16string_view text) {
    std::string out = "\"";
    for (char c : ToUtf8(text)) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
        }
    }
    return out + "\"";
}

// Reads a quoted text at the start of `line`, leaving `line` after the closing quote.
std::optional<std::string> Unquote(std::string_view& line) {
    if (line.empty() || line.front() != '"') {
        return std::nullopt;
    }
    std::string out;
    for (std::size_t i = 1; i < line.size(); ++i) {
        char c = line[i];
        if (c == '"') {
            line.remove_prefix(i + 1);
            return out;
        }
        if (c == '\\') {
            if (++i == line.size()) {
                return std::nullopt;
            }
            c = line[i];
            out += c == 'n' ? '\n' : c == 'r' ? '\r' : c;
        } else {
            out += c;
        }
    }
    return std::nullopt;
}

std::optional<uint32_t> ParseHexDword(std::string_view digits) {
    if (digits.empty() || digits.size() > 8) {
        return std::nullopt;
    }
    uint32_t value = 0;
    for (char c : digits) {
        int nibble = c >= '0' && c <= '9'   ? c - '0'
                     : c >= 'a' && c <= 'f' ? c - 'a' + 10
                     : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                            : -1;
        if (nibble < 0) {
            return std::nullopt;
        }
        value = (value << 4) | static_cast<uint32_t>(nibble);
    }
    return value;
}

std::string_view Trim(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) {
        line.remove_suffix(1);
    }
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) {
        line.remove_prefix(1);
    }
    return line;
}

// `"name"=dword:00000409` or `"name"="text"`.
bool ParseValueLine(std::string_view line, std::u16string& name, RegistryValue& value) {
    auto quotedName = Unquote(line);
    if (!quotedName || line.empty() || line.front() != '=') {
        return false;
    }
    line.remove_prefix(1);
    if (StartsWithNoCase(line, kDwordPrefix)) {
        auto number = ParseHexDword(line.substr(kDwordPrefix.size()));
        if (!number) {
            return false;
        }
        value = *number;
    } else {
        auto text = Unquote(line);
        if (!text || !line.empty()) {
            return false;
        }
        value = FromUtf8(*text);
    }
    name = FromUtf8(*quotedName);
    return true;
}

}  // namespace

RegistryData RegistryData::Parse(std::string_view text) {
    RegistryData data;
    std::optional<std::u16string> currentKey;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);

        if (line.empty() || line == kHeader) {
            continue;
        }
        if (line.front() == '[') {
            currentKey.reset();
            if (line.back() == ']' && StartsWithNoCase(line.substr(1), kRootPrefix)) {
                std::string_view path = line.substr(1 + kRootPrefix.size());
                path.remove_suffix(1);
                std::u16string keyPath(TrimSeparators(FromUtf8(path)));
                if (!keyPath.empty()) {
                    data.AddKey(keyPath);
                    currentKey = std::move(keyPath);
                    continue;
                }
            }
            ++data.m_skippedLines;
            continue;
        }
        std::u16string name;
        RegistryValue value;
        if (currentKey && ParseValueLine(line, name, value)) {
            data.Set(*currentKey, name, std::move(value));
        } else {
            ++data.m_skippedLines;
        }
    }
    return data;
}

std::string RegistryData::Serialize() const {
    std::string out(kHeader);
    out += "\n";
    for (const auto& [folded, key] : m_keys) {
        out += "\n[";
        out += kRootPrefix;
        out += ToUtf8(key.path);
        out += "]\n";
        for (const auto& [foldedName, named] : key.values) {
            out += Quote(named.name);
            out += "=";
            if (const auto* number = std::get_if<uint32_t>(&named.value)) {
                static const char kDigits[] = "0123456789abcdef";
                out += kDwordPrefix;
                for (int shift = 28; shift >= 0; shift -= 4) {
                    out += kDigits[(*number >> shift) & 0xF];
                }
            } else {
                out += Quote(std::get<std::u16string>(named.value));
            }
            out += "\n";
        }
    }
    return out;
}

bool RegistryData::HasKey(std::u16string_view keyPath) const {
    return m_keys.contains(Fold(TrimSeparators(keyPath)));
}

void RegistryData::AddKey(std::u16string_view keyPath) {
    keyPath = TrimSeparators(keyPath);
    for (std::size_t end = 0; end != std::u16string_view::npos;) {
        end = keyPath.find(u'\\', end + 1);
        std::u16string_view prefix = keyPath.substr(0, end);
        if (!prefix.empty() && prefix.back() != u'\\') {
            m_keys.try_emplace(Fold(prefix), Key{std::u16string(prefix), {}});
        }
    }
}

const RegistryValue* RegistryData::Find(std::u16string_view keyPath,
                                        std::u16string_view name) const {
    auto key = m_keys.find(Fold(TrimSeparators(keyPath)));
    if (key == m_keys.end()) {
        return nullptr;
    }
    auto value = key->second.values.find(Fold(name));
    return value == key->second.values.end() ? nullptr : &value->second.value;
}

void RegistryData::Set(std::u16string_view keyPath, std::u16string_view name, RegistryValue value) {
    keyPath = TrimSeparators(keyPath);
    if (keyPath.empty()) {
        return;
    }
    AddKey(keyPath);
    auto& values = m_keys.at(Fold(keyPath)).values;
    auto [slot, added] = values.try_emplace(Fold(name), Named{std::u16string(name), value});
    if (!added) {
        slot->second.value = std::move(value);
    }
}

}  // namespace tessel
