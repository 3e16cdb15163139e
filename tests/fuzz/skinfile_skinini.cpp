// Skin INI files from anywhere: the rectangle entries, picture offsets, screen
// pictures and captions read from any file, and a rectangle read is the one
// its own text form reads as.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzFiles.h"
#include "platform/PrivateProfile.h"
#include "skin/SkinIni.h"

namespace {

std::u16string TextOf(const tessel::SkinRect& rect) {
    const std::string text = std::to_string(rect.left) + "," + std::to_string(rect.top) + "," +
                             std::to_string(rect.width) + "," + std::to_string(rect.height);
    return std::u16string(text.begin(), text.end());
}

void CheckRect(const tessel::SkinRect& rect) {
    if (tessel::ParseSkinRect(TextOf(rect)) != rect) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessel;
    // The bytes as a value, two bytes a unit.
    std::u16string value;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        value.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
    }
    CheckRect(ParseSkinRect(value));

    const auto ini = fuzz::ScratchFolder() / "Main.ini";
    fuzz::WriteInput(ini, data, size);
    for (const char16_t* key : {u"CONTROL_OK", u"FUNC_PROFILE1", u"KEY_001", u"LOCK_CAPS"}) {
        const SkinRect rect = ReadSkinRect(ini, kButtonInfoSection, key);
        CheckRect(rect);
        const PictureOffset offset = ReadPictureOffset(ini, kPictureOffsetSection, key);
        if (ReadSkinRect(ini, kPictureOffsetSection, key).left != offset.x) {
            std::abort();
        }
    }
    const ScreenPictures pictures = ReadScreenPictures(ini);
    if (!pictures.main.empty() && pictures.mask.empty()) {
        std::abort();  // an empty mask means the background
    }
    (void)ReadScreenLink(ini);
    (void)SkinIniProblem(ini);
    for (int selector : {0, 1}) {
        const auto section = CaptionSectionFor(selector);
        if (section && ReadCaption(ini, *section, u"IDS_MAIN_OK").size() > 260) {
            std::abort();
        }
    }
    return 0;
}
