// INI files in the legacy code pages, whatever their bytes: a lead byte at the
// end of a line, a key, a section name or the file, a bad trail byte, any high
// byte alone. Each parses, reads as something, and is written back unchanged.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "platform/posix/IniCodePage.h"
#include "platform/posix/IniDocument.h"
#include "platform/posix/PrivateProfileCache.h"

namespace tessel {
namespace {

constexpr int kCodePages[] = {936, 950, 949, 1252};

std::string ReadCorpusFile(const char* name) {
    std::ifstream in(
        std::string(TESSEL_SOURCE_DIR "/tests/fuzz/corpus/platform_inidocument/") + name,
        std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct Trap {
    std::string file;
    // A key around the byte, and its value when it can still be found.
    std::u16string section, key;
    std::optional<std::u16string> value;
};

// Files that put `byte` where a multi-byte character would run past its end
// or into a byte that cannot follow it. A lead byte followed by a byte that
// may trail it (']' or '=' in some code pages) makes one character of both.
std::vector<Trap> TrapsAround(unsigned char byte, const CodePage& converter) {
    const std::string b(1, static_cast<char>(byte));
    const std::u16string alone = converter.Decode(b);
    const auto unless = [&](char next, std::u16string value) -> std::optional<std::u16string> {
        if (converter.Decode(b + next).size() == 1) {
            return std::nullopt;
        }
        return value;
    };
    return {
        {"[s]\r\nk=v" + b + "\r\nn=1\r\n", u"s", u"n", u"1"},                // end of a line
        {"[s]\r\nk" + b + "=v\r\n", u"s", u"k" + alone, unless('=', u"v")},  // end of a key
        {"[s" + b + "]\r\nk=v\r\n", u"s" + alone, u"k", unless(']', u"v")},  // end of a section
        {"[s]\r\nk=" + b, u"s", u"k", alone},                                // end of the file
        {"[s]\r\nk=" + b + "\xFF" + b + "\x7F" + b + " " + b + "\nz=2", u"s", u"z",
         u"2"},  // bad trail bytes
    };
}

TEST(IniCodePageTest, TheShortKoreanFileThatOnceOverranTheConverterParsesInEveryCodePage) {
    const std::string bytes = ReadCorpusFile("ini-codepage-949-overrun.ini");
    ASSERT_EQ(bytes.size(), 59u);
    for (int codePage : kCodePages) {
        SCOPED_TRACE(codePage);
        const IniDocument document = IniDocument::Parse(bytes, codePage);
        EXPECT_EQ(document.Serialize(), bytes);
        const IniLookup lookup(document);
        EXPECT_TRUE(lookup.Find(u"Ot", u"x"));
        EXPECT_LE(CodePage(codePage).Decode(bytes).size(), bytes.size());
    }
}

TEST(IniCodePageTest, EveryHighByteInEveryTrapParsesAndIsWrittenBackByteForByte) {
    for (int codePage : kCodePages) {
        const CodePage converter(codePage);
        for (int byte = 0x80; byte <= 0xFF; ++byte) {
            for (const Trap& trap : TrapsAround(static_cast<unsigned char>(byte), converter)) {
                SCOPED_TRACE(::testing::Message() << "code page " << codePage << ", byte 0x"
                                                  << std::hex << byte << ", file " << trap.file);
                const IniDocument document = IniDocument::Parse(trap.file, codePage);
                ASSERT_EQ(document.Serialize(), trap.file);
                EXPECT_EQ(IniLookup(document).Find(trap.section, trap.key), trap.value);
                ASSERT_LE(converter.Decode(trap.file).size(), trap.file.size());
            }
            // A byte alone is a character or U+FFFD; what it reads as is written as it.
            const std::string alone(1, static_cast<char>(byte));
            const std::u16string text = converter.Decode(alone);
            ASSERT_EQ(text.size(), 1u);
            if (text != u"\uFFFD") {
                EXPECT_EQ(converter.Encode(text), alone) << codePage << " " << byte;
            }
        }
    }
}

TEST(IniCodePageTest, EveryCharacterACodePageWritesReadsBackAsItself) {
    for (int codePage : kCodePages) {
        const CodePage converter(codePage);
        int held = 0;
        for (char32_t unit = 0x80; unit <= 0xFFFF; ++unit) {
            const std::u16string text(1, static_cast<char16_t>(unit));
            const std::optional<std::string> bytes = converter.Encode(text);
            if (!bytes) {
                continue;
            }
            ++held;
            ASSERT_EQ(converter.Decode(*bytes), text)
                << "code page " << codePage << ", U+" << std::hex << static_cast<int>(unit);
        }
        // The double-byte pages hold thousands of characters, 1252 a hundred or so.
        EXPECT_GT(held, codePage == 1252 ? 100 : 10000) << codePage;
    }
    // Surrogates have no form in any of them.
    EXPECT_FALSE(CodePage(949).Encode(std::u16string(1, char16_t(0xD800))));
}

}  // namespace
}  // namespace tessel
