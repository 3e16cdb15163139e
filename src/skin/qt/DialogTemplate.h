#pragma once
// A dialog declared as data: its size, title and controls (id, class, caption,
// rectangle). The skin moves most controls later; the template rectangle is
// where a control stays when the skin does not place it.

#include <QRect>
#include <QSize>

#include <span>
#include <string_view>

class QWidget;

namespace tessel {

// Standard command ids of dialogs.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

using ControlFactory = QWidget* (*)(QWidget* parent);

// The factory of a control class: `Control<CPngButton>`.
template <class T>
QWidget* Control(QWidget* parent) {
    return new T(parent);
}

struct ControlTemplate {
    int id;
    ControlFactory create;
    std::u16string_view caption;
    QRect rect;
    bool visible = true;
    bool enabled = true;
};

struct DialogTemplate {
    int id;
    std::u16string_view title;
    QSize size;
    std::span<const ControlTemplate> controls;
    bool visible = true;  // shown when run; a tray window starts hidden
};

}  // namespace tessel
