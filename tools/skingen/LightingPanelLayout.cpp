#include <QPainter>

#include "MainWindowLayout.h"
#include "Paint.h"
#include "Theme.h"

// Rectangles of the lighting panel. Groups that no effect shows together
// share a place: the speed row doubles as the direction row of effect 4 and
// as the custom effect's tools; the colour section holds either colour group
// and every control that is kept hidden.
namespace skingen::main_layout {

namespace {

enum Column { kSwitch, kEffect, kMiddle, kColour, kRgb };

QRect Caption(Column c, int row, int dx = 0, int width = 170) {
    return {kPanelColumns[c] + dx, row == 1 ? kPanelCaption1 : kPanelCaption2, width, 18};
}

QRect Picture(Column c, int row, QSize size, int dx = 0) {
    return {QPoint(kPanelColumns[c] + dx, row == 1 ? kPanelRow1 : kPanelRow2), size};
}

QRect ColourButton(Column c, int row, int dx = 0) {
    return {kPanelColumns[c] + dx, row == 1 ? kPanelRow1 : kPanelRow2, 64, 30};
}

struct Entry {
    const char* name;
    QRect rect;
};

}  // namespace

void AddLightingPanelEntries(std::vector<Element>& out) {
    const int dirRight = kDirectionPicture.width() + 8;
    const Entry entries[] = {
        {"CONTROL_UsbStatic", Caption(kRgb, 2)},
        {"CONTROL_RGBStatic", Caption(kRgb, 1)},
        {"CONTROL_DengStatic", Caption(kSwitch, 1)},
        {"CONTROL_DengStaPic", Picture(kSwitch, 1, kSwitchPicture)},
        {"CONTROL_XGcombox", {kPanelColumns[kEffect], kPanelRow1, 200, 30}},
        {"CONTROL_JDTStatic", {QPoint(600, 665), kProgressPicture}},
        {"CONTROL_LightStatic", Caption(kEffect, 2)},
        {"CONTROL_LightSlider", Picture(kEffect, 2, kSliderPicture)},
        {"CONTROL_SpeedStatic", Caption(kMiddle, 1)},
        {"CONTROL_SpeedSlider", Picture(kMiddle, 1, kSliderPicture)},
        // Effect 4 has no speed: its direction takes the speed row.
        {"CONTROL_BLFXStatic", Caption(kMiddle, 1)},
        {"CONTROL_BLFXLStaPic", Picture(kMiddle, 1, kDirectionPicture)},
        {"CONTROL_BLFXRStaPic", Picture(kMiddle, 1, kDirectionPicture, dirRight)},
        {"CONTROL_BLFXStatic2", Caption(kMiddle, 2)},
        {"CONTROL_BLFXLStaPic2", Picture(kMiddle, 2, kDirectionPicture)},
        {"CONTROL_BLFXRStaPic2", Picture(kMiddle, 2, kDirectionPicture, dirRight)},
        {"CONTROL_FYYSStatic", Caption(kColour, 1, 0, 110)},
        {"CONTROL_FYYSButton", ColourButton(kColour, 1)},
        {"CONTROL_FYSJSStaPic", Picture(kColour, 1, kColourfulPicture, 120)},
        {"CONTROL_FYSJSStatic", Caption(kColour, 1, 120, 110)},
        {"CONTROL_FYCFStatic", Caption(kColour, 2, 0, 110)},
        {"CONTROL_FYdjcfStatic", Caption(kColour, 2, 0, 110)},
        {"CONTROL_FYggcfStatc", Caption(kColour, 2, 120, 110)},
        {"CONTROL_FYdjcfStaPic", Picture(kColour, 2, kColourfulPicture)},
        {"CONTROL_FYggcfStaPic", Picture(kColour, 2, kColourfulPicture, 120)},
        {"CONTROL_HONGPIC", Picture(kColour, 2, kVariantPicture)},
        {"CONTROL_HUANGPIC", Picture(kColour, 2, kVariantPicture, 36)},
        {"CONTROL_LVPIC", Picture(kColour, 2, kVariantPicture, 72)},
        {"CONTROL_LANPIC", Picture(kColour, 2, kVariantPicture, 108)},
        {"CONTROL_HXysStatic", Caption(kColour, 1, 0, 110)},
        {"CONTROL_HXysButton", ColourButton(kColour, 1)},
        {"CONTROL_HXsjsStatic", Caption(kColour, 1, 120, 110)},
        {"CONTROL_HXsjsStaPic", Picture(kColour, 1, kColourfulPicture, 120)},
        {"CONTROL_JTysStatic", Caption(kColour, 2, 0, 110)},
        {"CONTROL_JTysButton", ColourButton(kColour, 2)},
        {"CONTROL_USERysStatic", Caption(kMiddle, 1, 0, 110)},
        {"CONTROL_USERysButton", ColourButton(kMiddle, 1)},
        {"CONTROL_USERjsStatic", Caption(kMiddle, 1, 120, 110)},
        {"CONTROL_USERjsButton", ColourButton(kMiddle, 1, 120)},
        {"CONTROL_USERgjStatic", Caption(kMiddle, 2, 0, 110)},
        {"CONTROL_USERgjStaPic1", Picture(kMiddle, 2, kToolPicture)},
        {"CONTROL_USERgjStaPic2", Picture(kMiddle, 2, kToolPicture, kToolPicture.width() + 8)},
        {"CONTROL_Network", kSocialLinks[0].first},
        {"CONTROL_Facebook", kSocialLinks[1].first},
        {"CONTROL_twitter", kSocialLinks[2].first},
        {"CONTROL_TSysStatic", Caption(kColour, 2, 0, 110)},
        {"CONTROL_TSysButton", ColourButton(kColour, 2)},
        {"CONTROL_TSsjsStatic", Caption(kColour, 2, 120, 110)},
        {"CONTROL_TSsjsStaPic", Picture(kColour, 2, kColourfulPicture, 120)},
        {"CONTROL_CDysStatic", Caption(kColour, 2, 0, 110)},
        {"CONTROL_CDysButton", ColourButton(kColour, 2)},
        {"CONTROL_CDsjsStatic", Caption(kColour, 2, 120, 110)},
        {"CONTROL_CDsjsStaPic", Picture(kColour, 2, kColourfulPicture, 120)},
        {"CONTROL_umCombo", {kPanelColumns[kMiddle] + 120, kPanelRow2, 200, 30}},
    };
    for (const Entry& e : entries) out.push_back(PlacedOnly(QString::fromLatin1(e.name), e.rect));
    for (int i = 0; i < 8; ++i) {
        out.push_back(PlacedOnly(QStringLiteral("CONTROL_Color%1").arg(i + 1),
                                 {QPoint(kPanelColumns[kEffect] + i * 25, 596), kSwatchPicture}));
    }
}

namespace {

// Column of each arrow name in Arrow.jpg; row 0 is index 1, row 1 index 2.
const char* const kArrowNames[] = {"UP_ARROW_LEFT", "DOWN_ARROW_LEFT", "UP_ARROW_RIGHT",
                                   "DOWN_ARROW_RIGHT"};

}  // namespace

IniSection ArrowOffsets() {
    IniSection section{QStringLiteral("BUTTONINFO2"), {}};
    for (int column = 0; column < 4; ++column) {
        for (int index = 1; index <= 2; ++index) {
            section.entries.emplace_back(
                QStringLiteral("%1%2").arg(QLatin1String(kArrowNames[column])).arg(index),
                QStringLiteral("%1,%2,%3,%3")
                    .arg(column * kArrowSize)
                    .arg((index - 1) * kArrowSize)
                    .arg(kArrowSize));
        }
    }
    return section;
}

QImage RenderArrowSheet() {
    QImage sheet(4 * kArrowSize, 2 * kArrowSize, QImage::Format_RGB32);
    sheet.fill(theme::kDeck);
    QPainter p(&sheet);
    p.setRenderHint(QPainter::Antialiasing);
    for (int column = 0; column < 4; ++column) {
        const bool up = column % 2 == 0;
        for (int row = 0; row < 2; ++row) {
            const QRectF cell(column * kArrowSize, row * kArrowSize, kArrowSize, kArrowSize);
            // Index 2 is the lit arrow.
            DrawGlyph(p, cell.adjusted(5, 4, -5, -4), up ? Glyph::Up : Glyph::Down,
                      row == 0 ? theme::kTextDim : theme::kAccent);
        }
    }
    return sheet;
}

IniSection LightingCaptions(bool english) {
    // "Control_Name" serves language 0 (Chinese), "Control_Name1" language 1 (English).
    struct Caption {
        const char* key;
        const char* chinese;
        const char* english;
    };
    static const Caption captions[] = {
        {"Usb", "回报率 (Hz)", "Report rate (Hz)"},
        {"Deng", "灯光", "Lighting"},
        {"Light", "亮度", "Brightness"},
        {"FX", "方向", "Direction"},
        {"Speed", "速度", "Speed"},
        {"Color", "颜色", "Colour"},
        {"JColor", "联动颜色", "Linked colour"},
        {"DC", "多彩", "Colourful"},
        {"Tool", "工具", "Tool"},
    };
    IniSection section{english ? QStringLiteral("Control_Name1") : QStringLiteral("Control_Name"),
                       {}};
    for (const Caption& c : captions) {
        section.entries.emplace_back(QString::fromLatin1(c.key),
                                     QString::fromUtf8(english ? c.english : c.chinese));
    }
    return section;
}

}  // namespace skingen::main_layout
