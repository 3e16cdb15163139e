#include "skin/SkinIni.h"

#include <gtest/gtest.h>

#include "TextTestFiles.h"
#include "skin/CIniFile.h"

namespace tessel {
namespace {

TEST(SkinRectParsing, FourNumbersAndWhateverFollows) {
    EXPECT_EQ(ParseSkinRect(u"10,20,30,40,junk"), (SkinRect{10, 20, 30, 40}));
    EXPECT_EQ(ParseSkinRect(u"10,20,30,40"), (SkinRect{10, 20, 30, 40}));
    EXPECT_EQ(ParseSkinRect(u"1,1,1,1,x"), (SkinRect{1, 1, 1, 1}));
    EXPECT_EQ(ParseSkinRect(u" 5, -6,+7,\t8 px"), (SkinRect{5, -6, 7, 8}));
    EXPECT_EQ(ParseSkinRect(u"99999999999,-99999999999,0,0"),
              (SkinRect{2147483647, -2147483647 - 1, 0, 0}));
}

TEST(SkinRectParsing, MissingNumbersBecomeOne) {
    EXPECT_EQ(ParseSkinRect(u"5,6"), (SkinRect{5, 6, 1, 1}));
    EXPECT_EQ(ParseSkinRect(u"5 ,6,7,8"), (SkinRect{5, 1, 1, 1})) << "the comma must follow";
    EXPECT_EQ(ParseSkinRect(u"5,,7,8"), (SkinRect{5, 1, 1, 1}));
    EXPECT_EQ(ParseSkinRect(u""), (SkinRect{1, 1, 1, 1}));
    EXPECT_EQ(ParseSkinRect(u"x,2,3,4"), (SkinRect{1, 1, 1, 1}));
}

TEST(SkinIni, RectanglesAndOffsetsFromTheFile) {
    test::ScratchFolder folder;
    const auto ini = folder / "Main.ini";
    test::WriteBytes(ini,
                     "[BUTTONINFO]\nKEY_01E=10,20,30,40,junk\nFUNC_G1=1,1,50,20\n"
                     "[BUTTONINFO2]\nUP_ARROW_LEFT2=300,400,9,9\n");
    EXPECT_EQ(ReadSkinRect(ini, kButtonInfoSection, u"key_01e"), (SkinRect{10, 20, 30, 40}));
    const SkinRect missing = ReadSkinRect(ini, kButtonInfoSection, u"KEY_0B7");
    EXPECT_EQ(missing, (SkinRect{1, 1, 1, 1}));
    EXPECT_TRUE(IsHiddenButtonRect(missing));
    EXPECT_TRUE(IsHiddenButtonRect(ReadSkinRect(ini, kButtonInfoSection, u"FUNC_G1")));
    EXPECT_FALSE(IsHiddenButtonRect(ReadSkinRect(ini, kButtonInfoSection, u"KEY_01E")));

    EXPECT_EQ(ArrowOffsetKey(u"UP_ARROW_LEFT", 1), u"UP_ARROW_LEFT2");
    EXPECT_EQ(ReadPictureOffset(ini, kPictureOffsetSection, ArrowOffsetKey(u"UP_ARROW_LEFT", 1)),
              (PictureOffset{300, 400}));
    EXPECT_EQ(ReadPictureOffset(ini, kPictureOffsetSection, u"DOWN_ARROW_LEFT1"),
              (PictureOffset{1, 1}));
}

TEST(SkinIni, ScreenKeys) {
    test::ScratchFolder folder;
    const auto ini = folder / "Skins" / "Composite.ini";
    std::filesystem::create_directories(ini.parent_path());
    test::WriteBytes(ini, "[SCREEN]\nMain=bg.bmp\nMask=\n");
    ScreenPictures pictures = ReadScreenPictures(ini);
    EXPECT_EQ(pictures.main, u"bg.bmp");
    EXPECT_EQ(pictures.mask, u"bg.bmp") << "the background serves as mask";
    EXPECT_EQ(ReadScreenLink(ini), kDefaultSkinLink);
    EXPECT_EQ(SkinFolderOf(ini), folder.Path() / "Skins" / "");

    test::WriteBytes(ini, "[SCREEN]\nMain=" + std::string(3000, 'm') +
                              "\nMask=mask.bmp\nLink=https://example.org/x\n");
    pictures = ReadScreenPictures(ini);
    EXPECT_EQ(pictures.main.size(), 2047u);
    EXPECT_EQ(pictures.mask, u"mask.bmp");
    EXPECT_EQ(ReadScreenLink(ini), u"https://example.org/x");

    EXPECT_TRUE(ReadScreenPictures(folder / "none.ini").main.empty());
}

TEST(SkinIni, CaptionSections) {
    EXPECT_EQ(CaptionSectionFor(0), u"Control_Name");
    EXPECT_EQ(CaptionSectionFor(1), u"Control_Name1");
    EXPECT_FALSE(CaptionSectionFor(2).has_value());
    test::ScratchFolder folder;
    const auto ini = folder / "Main.ini";
    test::WriteBytes(ini, "[Control_Name1]\nUsb=Report rate\n");
    EXPECT_EQ(ReadCaption(ini, u"control_name1", u"USB"), u"Report rate");
    EXPECT_EQ(ReadCaption(ini, u"Control_Name", u"Usb"), u"");
}

TEST(CIniFile, EmptyReadsAsNothing) {
    test::ScratchFolder folder;
    const CIniFile ini(folder / "wskb.ini");
    EXPECT_FALSE(ini.GetString(u"KEYCOLOR", u"DengCheck").has_value());
    EXPECT_EQ(ini.GetString(u"KEYCOLOR", u"DengCheck", u"0"), u"0");
    ASSERT_TRUE(ini.WriteString(u"KEYCOLOR", u"DengCheck", u"1"));
    EXPECT_EQ(ini.GetString(u"keycolor", u"dengcheck"), u"1");
    ASSERT_TRUE(ini.WriteString(u"KEYCOLOR", u"DengCheck", u""));
    EXPECT_FALSE(ini.GetString(u"KEYCOLOR", u"DengCheck", u"0").has_value());
    ASSERT_TRUE(ini.WriteString(u"KEYCOLOR", u"Long", std::u16string(5000, u'v')));
    EXPECT_EQ(ini.GetString(u"KEYCOLOR", u"Long")->size(), 2047u);
}

}  // namespace
}  // namespace tessel
