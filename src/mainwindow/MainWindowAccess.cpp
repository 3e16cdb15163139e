#include "mainwindow/MainWindowAccess.h"

#include <QWidget>

#include <algorithm>
#include <vector>

#include "mainwindow/KeyboardViewButtons.h"
#include "mainwindow/LightingPanelControls.h"
#include "mainwindow/LockIndicators.h"
#include "mainwindow/MainWindowIds.h"
#include "model/KeyButtons.h"
#include "skin/qt/ArrowFocusGroup.h"
#include "skin/qt/CBaseDialog.h"
#include "skin/qt/CPngButton.h"
#include "skin/qt/SkinAccessibility.h"
#include "widgets/ClickablePicture.h"

namespace tessel {

namespace {

constexpr char kKeyboardReadyName[] = "tessel-keyboard-ready";

struct NamedControl {
    int id;
    std::u16string_view key;
    std::u16string_view detailKey = {};  // said after the name, as "name: detail"
};

// Controls with neither a caption nor a tooltip that says what they are.
constexpr NamedControl kNamedControls[] = {
    {kLockCapsId, u"IDS_A11Y_LOCK_CAPS"},
    {kLockNumId, u"IDS_A11Y_LOCK_NUM"},
    {kLockScrollId, u"IDS_A11Y_LOCK_SCROLL"},
    {kLockAbId, u"IDS_A11Y_LOCK_AB"},
    {keyboard_ids::kFlipIndicator, u"IDS_A11Y_FLIP"},
    {keyboard_ids::kLeftFlipButton, u"IDS_A11Y_FLIP"},
    {keyboard_ids::kRightFlipButton, u"IDS_A11Y_FLIP"},
    {keyboard_ids::kLeftArrow, u"IDS_A11Y_FLIP"},
    {keyboard_ids::kRightArrow, u"IDS_A11Y_FLIP"},
    {kFnButton.controlId, u"IDS_A11Y_FN_KEY"},
    {kIdLink, u"IDS_A11Y_LINK"},
    {kIdWebLink, u"IDS_A11Y_WEB"},
    {kIdFacebookLink, u"IDS_A11Y_FACEBOOK"},
    {kIdTwitterLink, u"IDS_A11Y_TWITTER"},
    {kReportRateButtonIds[0], u"IDS_A11Y_REPORT_RATE1"},
    {kReportRateButtonIds[1], u"IDS_A11Y_REPORT_RATE2"},
    {kReportRateButtonIds[2], u"IDS_A11Y_REPORT_RATE3"},
    {kReportRateButtonIds[3], u"IDS_A11Y_REPORT_RATE4"},
    {kIdLightingSwitch, u"IDS_KEYBOARD_FUNC_DENG"},
    {kIdBrightnessSlider, u"IDS_KEYBOARD_FUNC_TEXTLIGHT"},
    {kIdSpeedSlider, u"IDS_KEYBOARD_FUNC_SPEED"},
    {kIdDirectionLeft, u"IDS_KEYBOARD_FUNC_FX", u"IDS_A11Y_LEFT"},
    {kIdDirectionRight, u"IDS_KEYBOARD_FUNC_FX", u"IDS_A11Y_RIGHT"},
    {kIdColourButtonA, u"IDS_KEYBOARD_FUNC_COLOR"},
    {kIdColourButtonB, u"IDS_KEYBOARD_FUNC_COLOR"},
    {kIdColourfulPictureA, u"IDS_KEYBOARD_FUNC_COLOURFUL"},
    {kIdColourfulPictureB, u"IDS_KEYBOARD_FUNC_COLOURFUL"},
    {kIdPlainColourButton, u"IDS_KEYBOARD_FUNC_COLOR"},
    {kIdLinkedColourButton, u"IDS_KEYBOARD_FUNC_JCOLOR"},
    {kIdToolPlain, u"IDS_KEYBOARD_FUNC_TOOL", u"IDS_KEYBOARD_FUNC_COLOR"},
    {kIdToolLinked, u"IDS_KEYBOARD_FUNC_TOOL", u"IDS_KEYBOARD_FUNC_JCOLOR"},
    // Stock controls: named directly, again for each language.
    {kIdEffectList, u"IDS_A11Y_EFFECT"},
    {kIdCustomModeList, u"IDS_A11Y_CUSTOM_MODE"},
    {kIdRedEdit, u"IDS_A11Y_RED"},
    {kIdGreenEdit, u"IDS_A11Y_GREEN"},
    {kIdBlueEdit, u"IDS_A11Y_BLUE"},
};

struct RoleOf {
    int id;
    SkinRole role;
};

constexpr RoleOf kSkinRoles[] = {
    {kLockCapsId, SkinRole::Indicator},
    {kLockNumId, SkinRole::Indicator},
    {kLockScrollId, SkinRole::Indicator},
    {kLockAbId, SkinRole::Indicator},
    {keyboard_ids::kFlipIndicator, SkinRole::Indicator},
    {keyboard_ids::kLeftArrow, SkinRole::Label},
    {keyboard_ids::kRightArrow, SkinRole::Label},
    {kIdVersionLabel, SkinRole::Label},
    {kIdLightingSwitch, SkinRole::CheckBox},
    {kIdColourfulPictureA, SkinRole::CheckBox},
    {kIdColourfulPictureB, SkinRole::CheckBox},
    {kIdDirectionLeft, SkinRole::RadioButton},
    {kIdDirectionRight, SkinRole::RadioButton},
    {kIdToolPlain, SkinRole::RadioButton},
    {kIdToolLinked, SkinRole::RadioButton},
};

bool IsSkinnedControl(const QWidget* widget) {
    return qobject_cast<const CPngButton*>(widget) != nullptr ||
           qobject_cast<const ClickablePicture*>(widget) != nullptr;
}

QString NameText(const LocalTextOf& localText, const NamedControl& control) {
    QString name = localText(control.key);
    if (!control.detailKey.empty()) {
        name += QLatin1String(": ") + localText(control.detailKey);
    }
    return name;
}

void SetRoles(CBaseDialog& window) {
    for (const RoleOf& entry : kSkinRoles) {
        QWidget* widget = window.GetDlgItem(entry.id);
        if (auto* button = qobject_cast<CPngButton*>(widget)) {
            button->SetRole(entry.role);
        } else if (auto* picture = qobject_cast<ClickablePicture*>(widget)) {
            picture->SetRole(entry.role);
        }
    }
    for (int id : kProfileButtonIds) {
        if (auto* button = window.Item<CPngButton>(id)) {
            button->SetRole(SkinRole::RadioButton);
        }
    }
    for (int id : kReportRateButtonIds) {
        if (auto* button = window.Item<CPngButton>(id)) {
            button->SetRole(SkinRole::RadioButton);
        }
    }
}

std::vector<QWidget*> ControlsOf(CBaseDialog& window, std::span<const int> ids) {
    std::vector<QWidget*> controls;
    for (int id : ids) {
        if (QWidget* widget = window.GetDlgItem(id)) {
            controls.push_back(widget);
        }
    }
    return controls;
}

std::vector<QWidget*> KeyPictureOf(CBaseDialog& window) {
    std::vector<int> ids;
    for (const GKeyButton& key : kGKeyButtons) {
        ids.push_back(key.controlId);
    }
    for (const KeyButton& key : kKeyButtons) {
        ids.push_back(key.controlId);
    }
    ids.push_back(kFnButton.controlId);
    for (int i = 0; i < keyboard_ids::kDKeyCount; ++i) {
        ids.push_back(keyboard_ids::kFirstDKey + i);
    }
    return ControlsOf(window, ids);
}

// The keyboard picture is one stop of the tab chain; every other control
// that takes the focus is a stop of its own.
void OrderForKeyboard(CBaseDialog& window) {
    SetRoles(window);
    const std::vector<QWidget*> keys = KeyPictureOf(window);
    auto* keyGroup = new ArrowFocusGroup(keys, ArrowFocusGroup::Shape::Rows, true, &window);
    new ArrowFocusGroup(ControlsOf(window, kProfileButtonIds), ArrowFocusGroup::Shape::Line, false,
                        &window);
    new ArrowFocusGroup(ControlsOf(window, kReportRateButtonIds), ArrowFocusGroup::Shape::Line,
                        false, &window);

    // The group sits where its first key in reading order sits.
    TabUnit keyUnit = keyGroup->Reachable();
    for (QWidget* key : keys) {
        if (std::find(keyUnit.begin(), keyUnit.end(), key) == keyUnit.end()) {
            keyUnit.push_back(key);
        }
    }
    std::vector<TabUnit> units;
    units.push_back(keyUnit);
    for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const bool isKey = std::find(keys.begin(), keys.end(), child) != keys.end();
        if (!isKey && child->focusPolicy() & Qt::TabFocus) {
            units.push_back({child});
        }
    }
    SetReadingTabOrder(units);
}

}  // namespace

void DescribeMainWindow(CBaseDialog& window, const LocalTextOf& localText) {
    for (const NamedControl& control : kNamedControls) {
        QWidget* widget = window.GetDlgItem(control.id);
        if (widget == nullptr) {
            continue;
        }
        if (IsSkinnedControl(widget) || widget->inherits("tessel::CBitmapSlider") ||
            widget->inherits("tessel::CSkinColorBtn")) {
            SetAccessibleTextSource(*widget,
                                    [localText, control] { return NameText(localText, control); });
        } else {
            widget->setAccessibleName(NameText(localText, control));
        }
    }
    if (window.findChild<QObject*>(QLatin1String(kKeyboardReadyName), Qt::FindDirectChildrenOnly) ==
        nullptr) {
        OrderForKeyboard(window);
        (new QObject(&window))->setObjectName(QLatin1String(kKeyboardReadyName));
    }
}

}  // namespace tessel
