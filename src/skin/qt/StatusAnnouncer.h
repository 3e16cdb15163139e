#pragma once
// A window's status object for screen readers: not drawn, never focused; its
// accessible name is the last change the window announced.

#include <QWidget>

namespace tessel {

class StatusAnnouncer : public QWidget {
    Q_OBJECT
public:
    explicit StatusAnnouncer(QWidget* window);

    void Say(const QString& text);
};

}  // namespace tessel
