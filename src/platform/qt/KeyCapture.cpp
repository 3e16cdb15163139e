#include "platform/qt/KeyCapture.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

#include <optional>
#include <span>

#include "model/ScanCodes.h"
#include "model/VirtualKeys.h"

namespace tessel {

namespace {

struct QtVirtualKey {
    int key;
    uint8_t virtualKey;
};

// Keys whose virtual key is not their Qt key's own value.
constexpr QtVirtualKey kQtVirtualKeys[] = {
    {Qt::Key_Escape, 0x1B},
    {Qt::Key_Tab, 0x09},
    {Qt::Key_Backtab, 0x09},
    {Qt::Key_Backspace, 0x08},
    {Qt::Key_Return, 0x0D},
    {Qt::Key_Enter, 0x0D},
    {Qt::Key_Insert, 0x2D},
    {Qt::Key_Delete, 0x2E},
    {Qt::Key_Pause, 0x13},
    {Qt::Key_Print, 0x2C},
    {Qt::Key_SysReq, 0x2C},
    {Qt::Key_Home, 0x24},
    {Qt::Key_End, 0x23},
    {Qt::Key_Left, 0x25},
    {Qt::Key_Up, 0x26},
    {Qt::Key_Right, 0x27},
    {Qt::Key_Down, 0x28},
    {Qt::Key_PageUp, 0x21},
    {Qt::Key_PageDown, 0x22},
    {Qt::Key_Shift, 0x10},
    {Qt::Key_Control, 0x11},
    {Qt::Key_Alt, 0x12},
    {Qt::Key_AltGr, 0xA5},
    {Qt::Key_Meta, 0x5B},
    {Qt::Key_Super_L, 0x5B},
    {Qt::Key_Super_R, 0x5C},
    {Qt::Key_Menu, 0x5D},
    {Qt::Key_CapsLock, 0x14},
    {Qt::Key_NumLock, 0x90},
    {Qt::Key_ScrollLock, 0x91},
    {Qt::Key_Space, 0x20},
    {Qt::Key_Minus, 0xBD},
    {Qt::Key_Equal, 0xBB},
    {Qt::Key_BracketLeft, 0xDB},
    {Qt::Key_BracketRight, 0xDD},
    {Qt::Key_Backslash, 0xDC},
    {Qt::Key_Semicolon, 0xBA},
    {Qt::Key_Apostrophe, 0xDE},
    {Qt::Key_QuoteLeft, 0xC0},
    {Qt::Key_Comma, 0xBC},
    {Qt::Key_Period, 0xBE},
    {Qt::Key_Slash, 0xBF},
    {Qt::Key_VolumeMute, 0xAD},
    {Qt::Key_VolumeDown, 0xAE},
    {Qt::Key_VolumeUp, 0xAF},
    {Qt::Key_MediaNext, 0xB0},
    {Qt::Key_MediaPrevious, 0xB1},
    {Qt::Key_MediaStop, 0xB2},
    {Qt::Key_MediaPlay, 0xB3},
    {Qt::Key_MediaTogglePlayPause, 0xB3},
    {Qt::Key_LaunchMail, 0xB4},
    {Qt::Key_LaunchMedia, 0xB5},
    {Qt::Key_Launch0, 0xB6},
    {Qt::Key_Calculator, 0xB7},
    {Qt::Key_Launch1, 0xB7},
    {Qt::Key_Back, 0xA6},
    {Qt::Key_Forward, 0xA7},
    {Qt::Key_Refresh, 0xA8},
    {Qt::Key_Stop, 0xA9},
    {Qt::Key_Search, 0xAA},
    {Qt::Key_Favorites, 0xAB},
    {Qt::Key_HomePage, 0xAC},
    {Qt::Key_Sleep, 0x5F},
};

// The keypad's keys by their Qt key.
constexpr QtVirtualKey kKeypadVirtualKeys[] = {
    {Qt::Key_Asterisk, 0x6A}, {Qt::Key_Plus, 0x6B},  {Qt::Key_Minus, 0x6D},
    {Qt::Key_Period, 0x6E},   {Qt::Key_Slash, 0x6F}, {Qt::Key_Enter, 0x0D},
};

std::optional<uint32_t> Lookup(std::span<const QtVirtualKey> table, int key) {
    for (const QtVirtualKey& entry : table) {
        if (entry.key == key) {
            return entry.virtualKey;
        }
    }
    return std::nullopt;
}

}  // namespace

uint32_t VirtualKeyOfQtKey(int key, bool keypad) {
    if (keypad) {
        if (key >= Qt::Key_0 && key <= Qt::Key_9) {
            return 0x60 + static_cast<uint32_t>(key - Qt::Key_0);
        }
        if (const auto found = Lookup(kKeypadVirtualKeys, key)) {
            return *found;
        }
    }
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
        return static_cast<uint32_t>(key);
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        return 0x70 + static_cast<uint32_t>(key - Qt::Key_F1);
    }
    return Lookup(kQtVirtualKeys, key).value_or(0);
}

KeyCapture::KeyCapture(KeyCaptureSink& sink, QObject* parent) : QObject(parent), m_sink(sink) {}

KeyCapture::~KeyCapture() {
    Remove();
}

void KeyCapture::Install(QWidget& window) {
    m_window = &window;
    if (!m_installed) {
        QCoreApplication::instance()->installEventFilter(this);
        m_installed = true;
    }
}

void KeyCapture::Remove() {
    if (m_installed) {
        QCoreApplication::instance()->removeEventFilter(this);
        m_installed = false;
    }
    m_window = nullptr;
}

CapturedKey KeyCapture::Translate(const QKeyEvent& event) {
    const uint16_t scanned = KeyCodeOfNativeScanCode(event.nativeScanCode());
    const std::optional<HookKey> byScanCode = HookKeyOf(scanned);
    const HookKey hook = byScanCode
                             ? *byScanCode
                             : HookKeyOfVirtualKey(VirtualKeyOfQtKey(
                                   event.key(), event.modifiers().testFlag(Qt::KeypadModifier)));
    return {KeyCodeFromHook(hook.virtualKey, hook.keyData), event.type() == QEvent::KeyRelease,
            event.isAutoRepeat()};
}

// Key events arrive first at the native window and then at the focus widget;
// they are judged at the widget, once.
bool KeyCapture::IsForWindow(QObject* watched) const {
    if (!m_window || !watched->isWidgetType()) {
        return false;
    }
    const auto* widget = static_cast<QWidget*>(watched);
    return widget == m_window || m_window->isAncestorOf(widget);
}

bool KeyCapture::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease &&
        type != QEvent::ShortcutOverride) {
        return false;
    }
    if (!IsForWindow(watched)) {
        return false;
    }
    const auto& keyEvent = static_cast<const QKeyEvent&>(*event);
    const CapturedKey key = Translate(keyEvent);
    if (!m_sink.Swallows(key.code)) {
        return false;
    }
    if (type == QEvent::ShortcutOverride) {
        // Accepted here, the key goes to the window as a key event instead of
        // triggering a shortcut or mnemonic, and is swallowed there.
        event->accept();
        return true;
    }
    m_sink.OnCapturedKey(key);
    return true;
}

}  // namespace tessel
