#include <gtest/gtest.h>

#include "PlatformTestSupport.h"
#include "platform/Registry.h"
#include "platform/RegistryData.h"

namespace tessel {
namespace {

using testing::Child;
using testing::TempFolder;

constexpr std::u16string_view kKey = u"Software\\Zerkon_PX5";

TEST(RegistryDataTest, KeepsTypesAndTextsThroughItsTextForm) {
    RegistryData data;
    data.Set(kKey, u"dwLanguageId", uint32_t{0x0409});
    data.Set(kKey, u"Big", uint32_t{0xFFFFFFFF});
    data.Set(kKey, u"Number as text", std::u16string(u"00000409"));
    data.Set(kKey, u"Escapes", std::u16string(u"a \"quoted\" C:\\path\nnext line"));
    data.Set(u"Software\\Tessel_Quarnet\\Nerova PX5-RGB Keyboard\\PROFILES", u"",
             std::u16string(u"\u4E2D\u6587 \U0001F600"));

    const RegistryData back = RegistryData::Parse(data.Serialize());
    EXPECT_EQ(*back.Find(kKey, u"dwLanguageId"), RegistryValue(uint32_t{0x0409}));
    EXPECT_EQ(*back.Find(kKey, u"Big"), RegistryValue(uint32_t{0xFFFFFFFF}));
    EXPECT_EQ(*back.Find(kKey, u"Number as text"), RegistryValue(std::u16string(u"00000409")));
    EXPECT_EQ(*back.Find(kKey, u"Escapes"),
              RegistryValue(std::u16string(u"a \"quoted\" C:\\path\nnext line")));
    EXPECT_EQ(*back.Find(u"Software\\Tessel_Quarnet\\Nerova PX5-RGB Keyboard\\PROFILES", u""),
              RegistryValue(std::u16string(u"\u4E2D\u6587 \U0001F600")));
    EXPECT_EQ(back.Serialize(), data.Serialize());
}

TEST(RegistryDataTest, KeysAndNamesCompareWithoutCaseAndKeepTheirFirstSpelling) {
    RegistryData data;
    data.Set(u"Software\\Zerkon_PX5", u"dwLanguageId", uint32_t{1});
    data.Set(u"SOFTWARE\\zerkon_px5\\", u"DWLANGUAGEID", uint32_t{2});
    EXPECT_EQ(*data.Find(u"software\\ZERKON_PX5", u"dwlanguageid"), RegistryValue(uint32_t{2}));
    EXPECT_TRUE(data.HasKey(u"SOFTWARE"));
    EXPECT_FALSE(data.HasKey(u"Software\\Zerkon"));
    const std::string text = data.Serialize();
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Zerkon_PX5]"), std::string::npos) << text;
    EXPECT_NE(text.find("\"dwLanguageId\"=dword:00000002"), std::string::npos) << text;
}

TEST(RegistryDataTest, SkipsWhatItCannotRead) {
    const RegistryData data = RegistryData::Parse(
        "\"orphan\"=dword:1\n"
        "[HKEY_CURRENT_USER\\Software\\A]\r\n"
        "\"good\"=dword:0000000A\r\n"
        "\"too long\"=dword:123456789\n"
        "\"not hex\"=dword:12G4\n"
        "\"open quote\"=\"abc\n"
        "\"trailing\"=\"abc\" junk\n"
        "\"dangling escape\"=\"abc\\\n"
        "garbage line\n"
        "[HKEY_LOCAL_MACHINE\\Software\\B]\n"
        "\"elsewhere\"=dword:1\n"
        "[HKEY_CURRENT_USER\\Software\\C\n"
        "\"unclosed key\"=dword:1\n"
        "[HKEY_CURRENT_USER\\Software\\A]\n"
        "\"text\"=\"ok\"\n");
    EXPECT_EQ(*data.Find(u"Software\\A", u"good"), RegistryValue(uint32_t{10}));
    EXPECT_EQ(*data.Find(u"Software\\A", u"text"), RegistryValue(std::u16string(u"ok")));
    for (auto name : {u"too long", u"not hex", u"open quote", u"trailing", u"dangling escape"}) {
        EXPECT_EQ(data.Find(u"Software\\A", name), nullptr);
    }
    EXPECT_FALSE(data.HasKey(u"Software\\B"));
    EXPECT_FALSE(data.HasKey(u"Software\\C"));
    EXPECT_EQ(data.SkippedLines(), 11u);
    EXPECT_EQ(RegistryData::Parse(data.Serialize()).SkippedLines(), 0u);
}

TEST(RegistryTest, TypedValuesSurviveANewObjectAndStayTyped) {
    TempFolder folder;
    const auto file = folder / "config" / "tessel" / "registry.reg";
    {
        Registry registry(file);
        EXPECT_FALSE(registry.KeyExists(kKey));
        EXPECT_TRUE(registry.CreateKey(kKey));
        EXPECT_TRUE(registry.WriteDword(kKey, u"dwLanguageId", 1033));
        EXPECT_TRUE(registry.WriteString(kKey, u"Name", u"Tessel"));
    }
    Registry registry(file);
    EXPECT_TRUE(registry.KeyExists(u"software\\zerkon_px5"));
    EXPECT_EQ(registry.ReadDword(kKey, u"dwLanguageId"), 1033u);
    EXPECT_EQ(registry.ReadString(kKey, u"Name"), u"Tessel");
    // A value of the other type reads as absent, as a typed query does on Windows.
    EXPECT_EQ(registry.ReadString(kKey, u"dwLanguageId"), std::nullopt);
    EXPECT_EQ(registry.ReadDword(kKey, u"Name"), std::nullopt);
    EXPECT_EQ(registry.ReadDword(kKey, u"Missing"), std::nullopt);
}

TEST(RegistryTest, AValueWrittenByAnotherProcessIsReadWithItsType) {
    TempFolder folder;
    const auto file = folder / "registry.reg";
    Registry reader(file);
    EXPECT_EQ(reader.ReadDword(kKey, u"dwLanguageId"), std::nullopt);

    Child writer([&] {
        Registry registry(file);
        return registry.WriteDword(kKey, u"dwLanguageId", 0x0804) &&
                       registry.WriteString(kKey, u"Text", u"written elsewhere")
                   ? 0
                   : 1;
    });
    ASSERT_EQ(writer.Wait(), 0);
    EXPECT_EQ(reader.ReadDword(kKey, u"dwLanguageId"), 0x0804u);
    EXPECT_EQ(reader.ReadString(kKey, u"Text"), u"written elsewhere");
}

TEST(RegistryTest, WritersInSeveralProcessesLoseNoValue) {
    TempFolder folder;
    const auto file = folder / "registry.reg";
    constexpr int kValues = 25;
    auto writeMany = [&](char16_t prefix) {
        Registry registry(file);
        for (int i = 0; i < kValues; ++i) {
            std::u16string name{prefix, static_cast<char16_t>(u'A' + i)};
            if (!registry.WriteDword(kKey, name, static_cast<uint32_t>(i))) {
                return 1;
            }
        }
        return 0;
    };
    Child first([&] { return writeMany(u'x'); });
    Child second([&] { return writeMany(u'y'); });
    ASSERT_EQ(first.Wait(), 0);
    ASSERT_EQ(second.Wait(), 0);

    Registry registry(file);
    for (int i = 0; i < kValues; ++i) {
        EXPECT_EQ(registry.ReadDword(kKey, std::u16string{u'x', static_cast<char16_t>(u'A' + i)}),
                  static_cast<uint32_t>(i));
        EXPECT_EQ(registry.ReadDword(kKey, std::u16string{u'y', static_cast<char16_t>(u'A' + i)}),
                  static_cast<uint32_t>(i));
    }
}

TEST(RegistryTest, AnUnreadableFileIsKeptAsABadCopyBeforeItIsRewritten) {
    TempFolder folder;
    const auto file = folder / "registry.reg";
    const auto bad = folder / "registry.reg.bad";
    const std::string damaged = "[HKEY_CURRENT_USER\\Software\\Zerkon_PX5]\n\x01\x02garbage\n";
    testing::WriteText(file, damaged);
    Registry registry(file);
    EXPECT_EQ(registry.ReadDword(kKey, u"dwLanguageId"), std::nullopt);
    EXPECT_FALSE(std::filesystem::exists(bad)) << "reading alone keeps the file as it is";

    ASSERT_TRUE(registry.WriteDword(kKey, u"dwLanguageId", 0x409));
    EXPECT_EQ(testing::ReadText(bad), damaged);
    EXPECT_EQ(registry.ReadDword(kKey, u"dwLanguageId"), 0x409u);

    // A clean file makes no copy; a later damaged one replaces the old copy.
    ASSERT_TRUE(registry.WriteDword(kKey, u"other", 1));
    EXPECT_EQ(testing::ReadText(bad), damaged);
    const std::string damagedAgain = testing::ReadText(file) + "junk\n";
    testing::WriteText(file, damagedAgain);
    ASSERT_TRUE(registry.WriteDword(kKey, u"other", 2));
    EXPECT_EQ(testing::ReadText(bad), damagedAgain);
}

TEST(RegistryTest, AFileThatCannotBeWrittenIsReportedAndChangesNothing) {
    TempFolder folder;
    testing::WriteText(folder / "not a folder", "");
    Registry registry(folder / "not a folder" / "registry.reg");
    EXPECT_FALSE(registry.CreateKey(kKey));
    EXPECT_FALSE(registry.WriteDword(kKey, u"dwLanguageId", 1));
    EXPECT_FALSE(registry.KeyExists(kKey));
    EXPECT_EQ(registry.ReadDword(kKey, u"dwLanguageId"), std::nullopt);
}

}  // namespace
}  // namespace tessel
