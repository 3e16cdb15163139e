#include "app/ScreenshotMacro.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>

#include <optional>

#include "editors/Tessel_DlgCompositeIds.h"
#include "model/KeyCode.h"
#include "model/KeyTable.h"
#include "model/ScanCodes.h"
#include "skin/qt/CBaseDialog.h"

namespace tessel {

namespace {

constexpr uint32_t kLastEvdevCode = 255;

// The native scan code a desktop delivers for the key labelled `name`.
std::optional<uint32_t> NativeScanCodeOf(const QString& name) {
    const auto& table = KeyTable();
    for (std::size_t index = 0; index < table.size(); ++index) {
        const char16_t* label = table[index].label;
        if (!label || name.compare(QString::fromUtf16(label), Qt::CaseInsensitive) != 0) {
            continue;
        }
        for (uint32_t evdev = 1; evdev <= kLastEvdevCode; ++evdev) {
            if (KeyCodeOfEvdev(evdev) == KeyCodeOfIndex(static_cast<uint16_t>(index))) {
                return evdev + kNativeScanCodeOffset;
            }
        }
    }
    return std::nullopt;
}

void SendKey(QWidget& editor, QEvent::Type type, uint32_t nativeScanCode) {
    QWidget* target = editor.focusWidget() ? editor.focusWidget() : &editor;
    QKeyEvent event(type, Qt::Key_unknown, Qt::NoModifier, nativeScanCode, 0, 0);
    QApplication::sendEvent(target, &event);
}

}  // namespace

bool RecordMacroForScreenshot(QWidget& editor, const QString& keys, QString& error) {
    auto* dialog = dynamic_cast<CBaseDialog*>(&editor);
    auto* add = dialog ? dialog->Item<QAbstractButton>(composite_ids::kAddMacro) : nullptr;
    auto* record = dialog ? dialog->Item<QAbstractButton>(composite_ids::kRecord) : nullptr;
    if (!add || !record) {
        error = QStringLiteral("the editor has no macro page");
        return false;
    }
    std::vector<uint32_t> codes;
    for (const QString& name : keys.split(u',', Qt::SkipEmptyParts)) {
        const std::optional<uint32_t> code = NativeScanCodeOf(name.trimmed());
        if (!code) {
            error = QStringLiteral("no key is named \"%1\"").arg(name.trimmed());
            return false;
        }
        codes.push_back(*code);
    }
    add->click();
    record->click();
    for (uint32_t code : codes) {
        SendKey(editor, QEvent::KeyPress, code);
        SendKey(editor, QEvent::KeyRelease, code);
    }
    record->click();
    return true;
}

}  // namespace tessel
