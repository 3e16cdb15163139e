#pragma once
// The main window's input filter: sees every key of the window and its
// controls before they do. Enter and Esc never press a button, close or hide
// the window; the arrow keys never change the selected effect.

#include <QObject>

class QWidget;

namespace tessel {

class MainInputFilter : public QObject {
    Q_OBJECT
public:
    // `effectList` may be nullptr while the window has none.
    MainInputFilter(QWidget& window, const QWidget* effectList);

    // Filters the window and each of its controls existing now.
    void Install();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_window;
    const QWidget* m_effectList;
};

}  // namespace tessel
