#pragma once
// Key capture for the key page of the key-assignment editor and the macro
// recorder: an application-wide event filter, installed only while capturing,
// that turns the key events reaching one window into key codes the way a
// keyboard hook would have seen them. No global grab: keys the desktop keeps
// for itself never reach it.

#include <QObject>
#include <QPointer>

#include <cstdint>

class QKeyEvent;
class QWidget;

namespace tessel {

struct CapturedKey {
    uint16_t code = 0;  // KeyCodeFromHook of the event; 0 for no key
    bool release = false;
    // Every auto-repeat event, press or release: X11 repeats a held key as
    // release and press pairs.
    bool repeat = false;
};

// What the capturing window decides.
class KeyCaptureSink {
public:
    virtual ~KeyCaptureSink() = default;
    // True to keep the event from the window (no shortcut, mnemonic, focus
    // change or default button); false passes it on untouched.
    virtual bool Swallows(uint16_t code) const = 0;
    // Every swallowed press and release, repeats included.
    virtual void OnCapturedKey(const CapturedKey& key) = 0;
};

class KeyCapture final : public QObject {
public:
    explicit KeyCapture(KeyCaptureSink& sink, QObject* parent = nullptr);
    ~KeyCapture() override;

    // Captures the key events of `window` and its children until Remove.
    void Install(QWidget& window);
    void Remove();
    bool IsInstalled() const { return m_installed; }

    // The key code of an event: from its native scan code, or from its Qt key
    // where the event carries none (synthetic events, the offscreen platform).
    static CapturedKey Translate(const QKeyEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool IsForWindow(QObject* watched) const;

    KeyCaptureSink& m_sink;
    QPointer<QWidget> m_window;
    bool m_installed = false;
};

// The Windows virtual key of a Qt key; 0 for a key without one.
uint32_t VirtualKeyOfQtKey(int key, bool keypad);

}  // namespace tessel
