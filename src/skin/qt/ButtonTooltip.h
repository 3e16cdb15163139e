#pragma once
// The tooltip of one skinned button: one tool covering the button, shown when
// the mouse rests on it for the automatic delay.

#include <QObject>
#include <QString>
#include <QTimer>

class QWidget;

namespace tessel {

class ButtonTooltip : public QObject {
    Q_OBJECT
public:
    static constexpr int kAutomaticDelayMs = 300;
    // Derived from the automatic delay the way the system tooltip does it.
    static constexpr int kAutoPopMs = 10 * kAutomaticDelayMs;

    explicit ButtonTooltip(QWidget* tool);
    ~ButtonTooltip() override;

    void SetText(const QString& text) { m_text = text; }
    QString Text() const { return m_text; }
    void Activate(bool on);
    bool IsActive() const { return m_active; }

    // Mouse rests on the tool: show after the delay. Mouse left: hide.
    void MouseEntered();
    void MouseLeft();

private:
    void Show();

    QWidget* m_tool;
    QString m_text;
    bool m_active = true;
    QTimer m_delay;
};

}  // namespace tessel
