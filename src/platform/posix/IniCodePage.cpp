#include "platform/posix/IniCodePage.h"

#include <cerrno>

namespace tessel {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

std::string IconvName(int codePage) {
    return "CP" + std::to_string(codePage);
}

void AppendUtf16Le(std::u16string& text, const char* bytes, std::size_t size) {
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                             (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    }
}

bool IsOpen(iconv_t converter) {
    return converter != reinterpret_cast<iconv_t>(-1);
}

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
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

CodePage::CodePage(int number)
    : number_(number),
      toUtf16_(iconv_open("UTF-16LE", IconvName(number).c_str())),
      fromUtf16_(iconv_open(IconvName(number).c_str(), "UTF-16LE")) {}

CodePage::~CodePage() {
    if (IsOpen(toUtf16_)) {
        iconv_close(toUtf16_);
    }
    if (IsOpen(fromUtf16_)) {
        iconv_close(fromUtf16_);
    }
}

std::u16string CodePage::Decode(std::string_view bytes) {
    std::u16string text;
    if (!IsOpen(toUtf16_)) {
        // Without a converter only ASCII, which every one of these code pages shares, is known.
        for (char c : bytes) {
            text.push_back(static_cast<unsigned char>(c) < 0x80 ? static_cast<char16_t>(c)
                                                                : kReplacement);
        }
        return text;
    }
    iconv(toUtf16_, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char buffer[1024];
    while (inLeft > 0) {
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(toUtf16_, &in, &inLeft, &out, &outLeft);
        AppendUtf16Le(text, buffer, static_cast<std::size_t>(out - buffer));
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // A byte that starts no character of the code page.
            text.push_back(kReplacement);
            ++in;
            --inLeft;
            iconv(toUtf16_, nullptr, nullptr, nullptr, nullptr);
        }
    }
    return text;
}

std::optional<std::string> CodePage::Encode(std::u16string_view text) {
    std::string bytes;
    if (!IsOpen(fromUtf16_)) {
        for (char16_t c : text) {
            if (c >= 0x80) {
                return std::nullopt;
            }
            bytes.push_back(static_cast<char>(c));
        }
        return bytes;
    }
    std::string units;
    units.reserve(text.size() * 2);
    for (char16_t c : text) {
        units.push_back(static_cast<char>(c & 0xFF));
        units.push_back(static_cast<char>(c >> 8));
    }
    iconv(fromUtf16_, nullptr, nullptr, nullptr, nullptr);
    char* in = units.data();
    std::size_t inLeft = units.size();
    char buffer[1024];
    while (inLeft > 0) {
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(fromUtf16_, &in, &inLeft, &out, &outLeft);
        bytes.append(buffer, static_cast<std::size_t>(out - buffer));
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            return std::nullopt;
        }
    }
    return bytes;
}

}  // namespace tessel
