#include "mainwindow/LightingPanel.h"

#include <QLineEdit>

#include "mainwindow/LightingPanelControls.h"
#include "mainwindow/LightingQtColour.h"
#include "model/LightingModel.h"
#include "skin/qt/CBaseDialog.h"
#include "widgets/CBitmapSlider.h"
#include "widgets/CSkinColorBtn.h"

// The panel's edits of the plain effects: direction, colour, colourful flag,
// brightness and speed, and the RGB edits.
namespace tessel {
namespace {

constexpr int kDirectionEffect = 4;  // spreads and gathers
constexpr int kVerticalEffect = 12;  // up and down
constexpr int kMaxRgbValue = 255;

}  // namespace

void LightingPanel::ShowDirectionPictures(int effectCode, int direction) {
    const bool left = direction == LightingSettings::kDirectionLeft;
    QString leftPicture;
    QString rightPicture;
    if (effectCode == kDirectionEffect) {
        leftPicture = left ? QStringLiteral("kuosandown.bmp") : QStringLiteral("kuosan.bmp");
        rightPicture = left ? QStringLiteral("julong.bmp") : QStringLiteral("julongdown.bmp");
    } else if (effectCode == kVerticalEffect) {
        leftPicture = left ? QStringLiteral("updown.bmp") : QStringLiteral("upup.bmp");
        rightPicture = left ? QStringLiteral("downup.bmp") : QStringLiteral("downdown.bmp");
    } else {
        leftPicture = left ? QStringLiteral("leftdown.bmp") : QStringLiteral("leftup.bmp");
        rightPicture = left ? QStringLiteral("rightup.bmp") : QStringLiteral("rightdown.bmp");
    }
    SetPicture(kIdDirectionLeft, leftPicture);
    SetPicture(kIdDirectionRight, rightPicture);
}

void LightingPanel::ChooseDirection(DirectionSide side) {
    const uint8_t direction = side == DirectionSide::Left ? LightingSettings::kDirectionLeft
                                                          : LightingSettings::kDirectionRight;
    ShowDirectionPictures(SelectedEffectCode(), direction);
    m_model.SetDirection(direction);
}

void LightingPanel::OnColourPicked(int buttonId) {
    const CSkinColorBtn* picked = ColourButton(buttonId);
    if (!picked) {
        return;
    }
    const QColor colour = picked->ChosenOrDefault();
    m_model.SetColour(ToColourRef(colour));
    const int other = buttonId == kIdColourButtonA ? kIdColourButtonB : kIdColourButtonA;
    if (auto* button = ColourButton(other)) {
        button->SetColor(colour);
    }
    // The flag is off on the keyboard now, whichever group was picked from.
    ShowColourfulPictures(false);
}

void LightingPanel::ToggleColourful() {
    const bool colourful = !m_model.Current().colourful;
    m_model.SetColourful(colourful);
    ShowColourfulPictures(colourful);
}

void LightingPanel::ShowColourfulPictures(bool colourful) {
    const QString picture = colourful ? QStringLiteral("sjsdown.bmp") : QStringLiteral("sjsup.bmp");
    SetPicture(kIdColourfulPictureA, picture);
    SetPicture(kIdColourfulPictureB, picture);
}

void LightingPanel::ShowSliders() {
    const LightingSettings& current = m_model.Current();
    if (auto* brightness = m_window.Item<CBitmapSlider>(kIdBrightnessSlider)) {
        brightness->SetPos(current.brightness);
        brightness->SetBitmap(
            m_pictures.Get(LightingPictures::BrightnessPicture(current.brightness)));
    }
    if (auto* speed = m_window.Item<CBitmapSlider>(kIdSpeedSlider)) {
        speed->SetPos(current.speedPosition);
        speed->SetBitmap(m_pictures.Get(LightingPictures::SpeedPicture(current.speedPosition)));
    }
}

void LightingPanel::OnSliderMoved(int controlId, int position) {
    if (position < 0 || position > LightingSettings::kMaxSliderPosition) {
        return;
    }
    const LightingSettings& current = m_model.Current();
    if (controlId == kIdBrightnessSlider) {
        if (auto* slider = m_window.Item<CBitmapSlider>(controlId)) {
            slider->SetBitmap(m_pictures.Get(LightingPictures::BrightnessPicture(position)));
        }
        if (position != current.brightness) {
            m_model.SetBrightness(position);
        }
    } else if (controlId == kIdSpeedSlider) {
        if (auto* slider = m_window.Item<CBitmapSlider>(controlId)) {
            slider->SetBitmap(m_pictures.Get(LightingPictures::SpeedPicture(position)));
        }
        if (position != current.speedPosition) {
            m_model.SetSpeedPosition(position);
        }
    }
}

void LightingPanel::OnRgbEdited(int id) {
    auto* edit = m_window.Item<QLineEdit>(id);
    if (edit && edit->text().toInt() > kMaxRgbValue) {
        edit->setText(QString::number(kMaxRgbValue));
    }
}

}  // namespace tessel
