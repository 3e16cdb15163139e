#include "platform/posix/IniCodePage.h"

#include <iconv.h>

#include <array>
#include <map>
#include <mutex>
#include <vector>

namespace tessel {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

// In the table of a byte or byte pair: no character.
constexpr char16_t kNone = 0;

std::string IconvName(int codePage) {
    return "CP" + std::to_string(codePage);
}

// One converter of the C library, used one character at a time: given a
// whole buffer, some of them step past its end on a bad trail byte.
class Converter {
public:
    Converter(const std::string& to, const std::string& from)
        : handle_(iconv_open(to.c_str(), from.c_str())) {}
    ~Converter() {
        if (IsOpen()) {
            iconv_close(handle_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool IsOpen() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // The bytes of exactly one character converted, or nothing when the
    // converter did not take all of `length` bytes cleanly.
    std::optional<std::string> Convert(const char* bytes, std::size_t length) {
        // Zeros after the input, so a converter that reads too far reads them.
        std::array<char, 8> input{};
        std::copy(bytes, bytes + length, input.begin());
        std::array<char, 16> output{};
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        char* in = input.data();
        std::size_t inLeft = length;
        char* out = output.data();
        std::size_t outLeft = output.size();
        const std::size_t result = iconv(handle_, &in, &inLeft, &out, &outLeft);
        const auto produced = static_cast<std::size_t>(out - output.data());
        if (result != 0 || inLeft != 0 || in != input.data() + length || produced == 0 ||
            produced > output.size()) {
            return std::nullopt;
        }
        return std::string(output.data(), produced);
    }

private:
    iconv_t handle_;
};

char16_t SingleUnit(const std::optional<std::string>& utf16le) {
    if (!utf16le || utf16le->size() != 2) {
        return kNone;
    }
    const auto unit = static_cast<char16_t>(static_cast<unsigned char>((*utf16le)[0]) |
                                            (static_cast<unsigned char>((*utf16le)[1]) << 8));
    return unit >= 0xD800 && unit <= 0xDFFF ? kNone : unit;
}

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

}  // namespace

struct CodePageTables {
    // What a byte 0x80-0xFF alone reads as.
    std::array<char16_t, 128> single{};
    // What lead byte << 8 | trail byte reads as; empty for a single-byte code page.
    std::vector<char16_t> pairs;
    // The bytes of each UTF-16 unit: one byte below 0x100, else lead << 8 | trail; 0 for none.
    std::vector<std::uint16_t> encoded;

    explicit CodePageTables(int number);
    char16_t PairAt(unsigned char lead, unsigned char trail) const {
        return pairs.empty() ? kNone : pairs[static_cast<std::size_t>(lead) << 8 | trail];
    }
};

CodePageTables::CodePageTables(int number) {
    Converter decoder("UTF-16LE", IconvName(number));
    if (!decoder.IsOpen()) {
        return;  // only ASCII, which all of them share
    }
    bool hasPairs = false;
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const char c = static_cast<char>(byte);
        single[byte - 0x80] = SingleUnit(decoder.Convert(&c, 1));
        hasPairs = hasPairs || single[byte - 0x80] == kNone;
    }
    if (hasPairs && number != kDefaultLegacyCodePage) {
        pairs.assign(0x10000, kNone);
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            if (single[lead - 0x80] != kNone) {
                continue;
            }
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                pairs[static_cast<std::size_t>(lead) << 8 | trail] =
                    SingleUnit(decoder.Convert(bytes, 2));
            }
        }
    }

    // Encoding takes the converter's choice, but only where it reads back as
    // the same character, so a value written is the value read.
    Converter encoder(IconvName(number), "UTF-16LE");
    encoded.assign(0x10000, 0);
    for (std::uint32_t unit = 0x80; unit <= 0xFFFF; ++unit) {
        if (unit >= 0xD800 && unit <= 0xDFFF) {
            continue;
        }
        const char units[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
        const std::optional<std::string> bytes =
            encoder.IsOpen() ? encoder.Convert(units, 2) : std::nullopt;
        if (!bytes || bytes->size() > 2) {
            continue;
        }
        const auto first = static_cast<unsigned char>((*bytes)[0]);
        if (bytes->size() == 1 && first >= 0x80 && single[first - 0x80] == unit) {
            encoded[unit] = first;
        } else if (bytes->size() == 2 && first >= 0x80 &&
                   PairAt(first, static_cast<unsigned char>((*bytes)[1])) == unit) {
            encoded[unit] =
                static_cast<std::uint16_t>(first << 8 | static_cast<unsigned char>((*bytes)[1]));
        }
    }
}

namespace {

std::shared_ptr<const CodePageTables> TablesOf(int number) {
    static std::mutex mutex;
    static std::map<int, std::shared_ptr<const CodePageTables>> tables;
    std::lock_guard lock(mutex);
    auto& entry = tables[number];
    if (!entry) {
        entry = std::make_shared<const CodePageTables>(number);
    }
    return entry;
}

}  // namespace

int LegacyCodePageOf(std::uint16_t languageId) {
    switch (languageId) {
        case 0x0804:
            return 936;
        case 0x0404:
            return 950;
        case 0x0412:
            return 949;
        default:
            return kDefaultLegacyCodePage;
    }
}

bool IsValidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        char32_t c = 0, minimum = 0;
        if ((lead & 0xE0) == 0xC0) {
            length = 2, c = lead & 0x1F, minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, c = lead & 0x0F, minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, c = lead & 0x07, minimum = 0x10000;
        } else {
            return false;
        }
        if (bytes.size() - i < length) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if (!IsContinuation(next)) {
                return false;
            }
            c = (c << 6) | (next & 0x3F);
        }
        if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

CodePage::CodePage(int number) : number_(number), tables_(TablesOf(number)) {}

std::u16string CodePage::Decode(std::string_view bytes) const {
    std::u16string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x80) {
            text.push_back(byte);
            continue;
        }
        char16_t unit = tables_->single[byte - 0x80];
        if (unit == kNone && i + 1 < bytes.size()) {
            unit = tables_->PairAt(byte, static_cast<unsigned char>(bytes[i + 1]));
            i += unit != kNone ? 1 : 0;
        }
        text.push_back(unit != kNone ? unit : kReplacement);
    }
    return text;
}

std::optional<std::string> CodePage::Encode(std::u16string_view text) const {
    std::string bytes;
    bytes.reserve(text.size());
    for (char16_t unit : text) {
        if (unit < 0x80) {
            bytes.push_back(static_cast<char>(unit));
            continue;
        }
        const std::uint16_t encoded = tables_->encoded.empty() ? 0 : tables_->encoded[unit];
        if (encoded == 0) {
            return std::nullopt;
        }
        if (encoded > 0xFF) {
            bytes.push_back(static_cast<char>(encoded >> 8));
        }
        bytes.push_back(static_cast<char>(encoded & 0xFF));
    }
    return bytes;
}

}  // namespace tessel
