// The generated default skin names every control the windows place, at places
// that lie inside the window and do not collide.

#include <QImage>
#include <QRect>
#include <QString>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "model/KeyButtons.h"
#include "platform/PrivateProfile.h"
#include "skin/SkinIni.h"

namespace tessel {
namespace {

const std::filesystem::path kSkins = std::filesystem::path(TESSEL_PROGRAM_DIR) / "Skins";

std::u16string U16(const char* text) {
    return QString::fromUtf8(text).toStdU16String();
}

QImage Picture(const std::u16string& name) {
    return QImage(QString::fromStdU16String((kSkins / name).u16string()));
}

QRect RectOf(const std::filesystem::path& ini, const std::u16string& entry) {
    const SkinRect r = ReadSkinRect(ini, kButtonInfoSection, entry);
    return QRect(r.left, r.top, r.width, r.height);
}

QSize BackgroundSize(const std::filesystem::path& ini) {
    return Picture(ReadScreenPictures(ini).main).size();
}

// Every entry is present, has a size and lies inside the window's background.
void ExpectPlacedInside(const char* iniName, const std::vector<std::u16string>& entries) {
    const std::filesystem::path ini = kSkins / iniName;
    const QRect window(QPoint(0, 0), BackgroundSize(ini));
    ASSERT_FALSE(window.isEmpty()) << iniName;
    for (const std::u16string& entry : entries) {
        const std::u16string value =
            GetPrivateProfileString(kButtonInfoSection, entry, u"", 260, ini);
        const QString name = QString::fromStdU16String(entry);
        EXPECT_FALSE(value.empty()) << iniName << " lacks " << name.toStdString();
        const QRect rect = RectOf(ini, entry);
        EXPECT_FALSE(IsHiddenButtonRect(ReadSkinRect(ini, kButtonInfoSection, entry)))
            << name.toStdString();
        EXPECT_GT(rect.width(), 1) << name.toStdString();
        EXPECT_GT(rect.height(), 1) << name.toStdString();
        EXPECT_TRUE(window.contains(rect)) << iniName << " " << name.toStdString();
    }
}

std::vector<std::u16string> Names(std::initializer_list<const char*> names) {
    std::vector<std::u16string> out;
    for (const char* n : names) out.push_back(U16(n));
    return out;
}

// The main window's skinned buttons: each shows pictures, so none may cover another.
std::vector<std::u16string> MainButtons() {
    std::vector<std::u16string> names = Names(
        {"VANTIX_LINK",   "FUNC_PROFILES", "FUNC_MACRO",       "CONTROL_OK",    "CONTROL_CANCEL",
         "CONTROL_HELP",  "CONTROL_CLOSE", "CONTROL_MINIMIZE", "CONTROL_MENU",  "CONTROL2_APPLY",
         "LOCK_CAPS",     "LOCK_NUM",      "LOCK_SCROLL",      "LOCK_AB",       "FLIP_0",
         "FLIP_1",        "FLIP_2",        "VANTIX_VER",       "FUNC_PROFILE1", "FUNC_PROFILE2",
         "FUNC_PROFILE3", "FUNC_PROFILE4", "FUNC_DEFAULT",     "FUNC_SWITCH",   "FUNC_REPORT1",
         "FUNC_REPORT2",  "FUNC_REPORT3",  "FUNC_REPORT4",     "KEY_FN",        "LEFT_ARROW",
         "RIGHT_ARROW"});
    for (const GKeyButton& g : kGKeyButtons) names.push_back(SkinEntryName(g));
    for (const KeyButton& k : kKeyButtons) names.push_back(SkinEntryName(k));
    return names;
}

std::vector<std::u16string> LightingPanelEntries() {
    std::vector<std::u16string> names = Names({"COLOR_R",
                                               "COLOR_G",
                                               "COLOR_B",
                                               "CONTROL_UsbStatic",
                                               "CONTROL_RGBStatic",
                                               "CONTROL_DengStatic",
                                               "CONTROL_DengStaPic",
                                               "CONTROL_XGcombox",
                                               "CONTROL_JDTStatic",
                                               "CONTROL_LightStatic",
                                               "CONTROL_LightSlider",
                                               "CONTROL_SpeedStatic",
                                               "CONTROL_SpeedSlider",
                                               "CONTROL_BLFXStatic",
                                               "CONTROL_BLFXLStaPic",
                                               "CONTROL_BLFXRStaPic",
                                               "CONTROL_BLFXStatic2",
                                               "CONTROL_BLFXLStaPic2",
                                               "CONTROL_BLFXRStaPic2",
                                               "CONTROL_FYYSStatic",
                                               "CONTROL_FYYSButton",
                                               "CONTROL_FYSJSStaPic",
                                               "CONTROL_FYSJSStatic",
                                               "CONTROL_FYCFStatic",
                                               "CONTROL_FYdjcfStatic",
                                               "CONTROL_FYggcfStatc",
                                               "CONTROL_FYdjcfStaPic",
                                               "CONTROL_FYggcfStaPic",
                                               "CONTROL_HONGPIC",
                                               "CONTROL_HUANGPIC",
                                               "CONTROL_LVPIC",
                                               "CONTROL_LANPIC",
                                               "CONTROL_HXysStatic",
                                               "CONTROL_HXysButton",
                                               "CONTROL_HXsjsStatic",
                                               "CONTROL_HXsjsStaPic",
                                               "CONTROL_JTysStatic",
                                               "CONTROL_JTysButton",
                                               "CONTROL_USERysStatic",
                                               "CONTROL_USERysButton",
                                               "CONTROL_USERjsStatic",
                                               "CONTROL_USERjsButton",
                                               "CONTROL_USERgjStatic",
                                               "CONTROL_USERgjStaPic1",
                                               "CONTROL_USERgjStaPic2",
                                               "CONTROL_Network",
                                               "CONTROL_Facebook",
                                               "CONTROL_twitter",
                                               "CONTROL_TSysStatic",
                                               "CONTROL_TSysButton",
                                               "CONTROL_TSsjsStatic",
                                               "CONTROL_TSsjsStaPic",
                                               "CONTROL_CDysStatic",
                                               "CONTROL_CDysButton",
                                               "CONTROL_CDsjsStatic",
                                               "CONTROL_CDsjsStaPic",
                                               "CONTROL_umCombo"});
    for (int i = 1; i <= 8; ++i)
        names.push_back(U16(("CONTROL_Color" + std::to_string(i)).c_str()));
    return names;
}

const std::vector<std::u16string> kCompositeEntries = Names({"FUNCTION_KEY_SETTING_TISHI",
                                                             "MEDIA_SETTING_TISHI",
                                                             "KEY_SETTING",
                                                             "MARCO_NAME_SETTING",
                                                             "TISHI_SINGLE_STATIC",
                                                             "CONTROL_OK",
                                                             "CONTROL_CANCEL",
                                                             "CONTROL_CLEAR",
                                                             "CONTROL_KEY",
                                                             "CONTROL_MACRO",
                                                             "CONTROL_MEDIA",
                                                             "CONTROL_FUNCTION",
                                                             "CONTROL_MASK",
                                                             "CONTROL_TITLE",
                                                             "CONTROL_OSK",
                                                             "FUNC_KEY_INPUT",
                                                             "FUNC_FUNCTION_SELECT",
                                                             "FUNC_MEDIA_SELECT",
                                                             "FUNC_MACRO_LIST",
                                                             "FUNC_MACRO_ADD",
                                                             "FUNC_MACRO_DELETE",
                                                             "FUNC_MACRO_LIST2",
                                                             "FUNC_MACRO_RECORD",
                                                             "FUNC_MACRO_DELETE2",
                                                             "FUNC_MACRO_CLEAR",
                                                             "FUNC_MACRO_UP_TOP",
                                                             "FUNC_MACRO_UP",
                                                             "FUNC_MACRO_DOWN",
                                                             "FUNC_MACRO_DOWN_BOTTOM",
                                                             "FUNC_MACRO_RECORD_DELAY",
                                                             "FUNC_MACRO_RECORD_DELAY2",
                                                             "FUNC_MACRO_CYCLES",
                                                             "FUNC_MACRO_CYCLES_PROMPT",
                                                             "FUNC_KEY_RADIO_KB",
                                                             "FUNC_KEY_RADIO_MOU",
                                                             "FUNC_KEY_RADIO_KB_STATIC",
                                                             "FUNC_KEY_RADIO_MOU_STATIC"});
const std::vector<std::u16string> kProfileEntries =
    Names({"CONTROL_OK", "CONTROL_CANCEL", "FUNC_ADD", "FUNC_LOAD", "FUNC_DELETE", "CONTROL2_APPLY",
           "PROGRAM_LIST"});
const std::vector<std::u16string> kUpdateEntries =
    Names({"CONTROL_UPStatic", "CONTROL_UPCombox", "CONTROL_CUPButton", "CONTROL_UPButton",
           "CONTROL_OPENButton", "CONTROL_BACKUPButton"});

void ExpectNoOverlap(const char* iniName, const std::vector<std::u16string>& entries) {
    const std::filesystem::path ini = kSkins / iniName;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        for (std::size_t j = i + 1; j < entries.size(); ++j) {
            EXPECT_FALSE(RectOf(ini, entries[i]).intersects(RectOf(ini, entries[j])))
                << iniName << ": " << QString::fromStdU16String(entries[i]).toStdString() << " and "
                << QString::fromStdU16String(entries[j]).toStdString();
        }
    }
}

TEST(SkingenEntries, MainWindowPlacesEveryButtonAndPanelControlInsideTheWindow) {
    ExpectPlacedInside("Main.ini", MainButtons());
    ExpectPlacedInside("Main.ini", LightingPanelEntries());
    EXPECT_EQ(MainButtons().size(), 31u + 9u + 104u);
}

TEST(SkingenEntries, EditorWindowsPlaceEveryControlInsideTheirWindow) {
    ExpectPlacedInside("Composite.ini", kCompositeEntries);
    ExpectPlacedInside("Profile.ini", kProfileEntries);
    ExpectPlacedInside("UpdateDlg.ini", kUpdateEntries);
}

TEST(SkingenEntries, SkinnedButtonsDoNotCoverEachOther) {
    ExpectNoOverlap("Main.ini", MainButtons());
    ExpectNoOverlap("Profile.ini", kProfileEntries);
    ExpectNoOverlap("UpdateDlg.ini",
                    Names({"CONTROL_UPStatic", "CONTROL_CUPButton", "CONTROL_UPButton",
                           "CONTROL_OPENButton", "CONTROL_BACKUPButton"}));
    // The page area holds the pages' controls; the buttons around it stay clear of each other.
    ExpectNoOverlap("Composite.ini",
                    Names({"CONTROL_OK", "CONTROL_CANCEL", "CONTROL_CLEAR", "CONTROL_KEY",
                           "CONTROL_MACRO", "CONTROL_MEDIA", "CONTROL_FUNCTION", "CONTROL_MASK",
                           "CONTROL_TITLE", "CONTROL_OSK"}));
    ExpectNoOverlap(
        "Composite.ini",
        Names({"FUNC_MACRO_LIST", "FUNC_MACRO_ADD", "FUNC_MACRO_DELETE", "FUNC_MACRO_LIST2",
               "FUNC_MACRO_RECORD", "FUNC_MACRO_DELETE2", "FUNC_MACRO_CLEAR", "FUNC_MACRO_UP_TOP",
               "FUNC_MACRO_UP", "FUNC_MACRO_DOWN", "FUNC_MACRO_DOWN_BOTTOM",
               "FUNC_MACRO_RECORD_DELAY", "FUNC_MACRO_RECORD_DELAY2", "FUNC_MACRO_CYCLES",
               "FUNC_MACRO_CYCLES_PROMPT"}));
}

TEST(SkingenEntries, PanelGroupsShownTogetherDoNotCollide) {
    // Effect 1 shows the effect, speed, direction (second placement) and colour A groups.
    const std::vector<std::u16string> effect1 = Names(
        {"CONTROL_DengStatic", "CONTROL_DengStaPic", "CONTROL_XGcombox", "CONTROL_LightStatic",
         "CONTROL_LightSlider", "CONTROL_SpeedStatic", "CONTROL_SpeedSlider", "CONTROL_BLFXStatic2",
         "CONTROL_BLFXLStaPic2", "CONTROL_BLFXRStaPic2", "CONTROL_HXysStatic", "CONTROL_HXysButton",
         "CONTROL_HXsjsStatic", "CONTROL_HXsjsStaPic", "CONTROL_UsbStatic", "CONTROL_RGBStatic",
         "COLOR_R", "COLOR_G", "COLOR_B"});
    ExpectNoOverlap("Main.ini", effect1);
    // Effect 4: direction in its first placement, no speed.
    ExpectNoOverlap("Main.ini",
                    Names({"CONTROL_XGcombox", "CONTROL_LightStatic", "CONTROL_LightSlider",
                           "CONTROL_BLFXStatic", "CONTROL_BLFXLStaPic", "CONTROL_BLFXRStaPic"}));
    // Effect 7: the custom group.
    ExpectNoOverlap("Main.ini",
                    Names({"CONTROL_XGcombox", "CONTROL_LightStatic", "CONTROL_LightSlider",
                           "CONTROL_USERysStatic", "CONTROL_USERysButton", "CONTROL_USERjsStatic",
                           "CONTROL_USERjsButton", "CONTROL_USERgjStatic", "CONTROL_USERgjStaPic1",
                           "CONTROL_USERgjStaPic2", "CONTROL_umCombo"}));
}

TEST(SkingenEntries, ArrowOffsetsAndCaptionsArePresent) {
    const std::filesystem::path ini = kSkins / "Main.ini";
    const QImage arrows = Picture(u"Arrow.jpg");
    ASSERT_FALSE(arrows.isNull());
    const QSize arrowSize = RectOf(ini, u"LEFT_ARROW").size();
    for (const char* base :
         {"UP_ARROW_LEFT", "DOWN_ARROW_LEFT", "UP_ARROW_RIGHT", "DOWN_ARROW_RIGHT"}) {
        for (int index = 0; index < 2; ++index) {
            const std::u16string key = ArrowOffsetKey(U16(base), index);
            EXPECT_FALSE(GetPrivateProfileString(kPictureOffsetSection, key, u"", 260, ini).empty())
                << base << index + 1;
            const PictureOffset offset = ReadPictureOffset(ini, kPictureOffsetSection, key);
            EXPECT_TRUE(arrows.rect().contains(QRect(QPoint(offset.x, offset.y), arrowSize)))
                << base << index + 1;
        }
    }
    for (int selector : {0, 1}) {
        const std::u16string_view section = *CaptionSectionFor(selector);
        for (const char* key :
             {"Usb", "Deng", "Light", "FX", "Speed", "Color", "JColor", "DC", "Tool"}) {
            EXPECT_FALSE(ReadCaption(ini, section, U16(key)).empty()) << key << selector;
        }
    }
    EXPECT_NE(ReadScreenLink(ini), kDefaultSkinLink);
}

}  // namespace
}  // namespace tessel
