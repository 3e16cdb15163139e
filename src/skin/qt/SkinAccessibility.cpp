#include "skin/qt/SkinAccessibility.h"

#include <QAccessibleEvent>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QPainter>
#include <QPen>
#include <QWidget>

#include <algorithm>

#include "skin/qt/CPngButton.h"
#include "skin/qt/StatusAnnouncer.h"

namespace tessel {

namespace {

constexpr char kTextSourceName[] = "tessel-accessible-text";
constexpr char kAnnouncerName[] = "tessel-announcer";
constexpr char kKeyboardFocus[] = "tessel-keyboard-focus";

bool IsKeyboardReason(Qt::FocusReason reason) {
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
           reason == Qt::ShortcutFocusReason;
}

// Notes on each widget whether its focus came from the keyboard. A window
// that is left and activated again keeps what its focus widget had.
class FocusReasonWatch : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if ((type == QEvent::FocusIn || type == QEvent::FocusOut) && watched->isWidgetType()) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            const bool fromKeyboard = type == QEvent::FocusIn && IsKeyboardReason(reason);
            // Only a change is written: most widgets never get the property.
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
                watched->property(kKeyboardFocus).toBool() != fromKeyboard) {
                watched->setProperty(kKeyboardFocus, fromKeyboard);
            }
        }
        return false;
    }
};

// Keeps a widget's text source alive exactly as long as the widget.
class TextSourceHolder : public QObject {
public:
    TextSourceHolder(QObject* owner, AccessibleTextSource source)
        : QObject(owner), m_source(std::move(source)) {
        setObjectName(QLatin1String(kTextSourceName));
    }
    QString Text() const { return m_source ? m_source() : QString(); }

private:
    AccessibleTextSource m_source;
};

const TextSourceHolder* HolderOf(const QWidget& widget) {
    // Only the holder carries this object name among a widget's plain children.
    for (const QObject* child : widget.children()) {
        if (child->objectName() == QLatin1String(kTextSourceName)) {
            return static_cast<const TextSourceHolder*>(child);
        }
    }
    return nullptr;
}

class PngButtonAccessible : public QAccessibleWidget {
public:
    explicit PngButtonAccessible(CPngButton* button)
        : QAccessibleWidget(button, AccessibleRoleOf(button->Role())) {}

    QAccessible::Role role() const override { return AccessibleRoleOf(Button()->Role()); }

    QString text(QAccessible::Text t) const override {
        const CPngButton* button = Button();
        switch (t) {
            case QAccessible::Name:
                return AccessibleNameOf(*button, {button->text(), button->TooltipText()});
            case QAccessible::Description: {
                // The tooltip says more than a caption: keep it as the description.
                const QString tooltip = button->TooltipText();
                return tooltip == text(QAccessible::Name) ? QString() : tooltip;
            }
            default:
                return QAccessibleWidget::text(t);
        }
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        const CPngButton* button = Button();
        if (IsCheckable(button->Role())) {
            s.checkable = true;
            s.checked = button->IsChecked();
        }
        if (button->Role() == SkinRole::Indicator) {
            s.checked = button->IsChecked();
        }
        s.pressed = button->isDown();
        // A key of the picture is reached with the arrows, whatever its policy.
        s.focusable = TakesFocus(button->Role());
        return s;
    }

    QStringList actionNames() const override {
        if (!TakesFocus(Button()->Role())) {
            return QAccessibleWidget::actionNames();
        }
        return QStringList(pressAction()) << QAccessibleWidget::actionNames();
    }

    void doAction(const QString& actionName) override {
        if (actionName == pressAction()) {
            // Queued: a click may run a modal editor, which must not run
            // inside the reader's request.
            if (Button()->isEnabled()) {
                QMetaObject::invokeMethod(Button(), &CPngButton::click, Qt::QueuedConnection);
            }
            return;
        }
        QAccessibleWidget::doAction(actionName);
    }

private:
    CPngButton* Button() const { return static_cast<CPngButton*>(widget()); }
};

QAccessibleInterface* SkinFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("tessel::CPngButton")) {
        return new PngButtonAccessible(static_cast<CPngButton*>(object));
    }
    if (className == QLatin1String("tessel::StatusAnnouncer")) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::StatusBar);
    }
    return nullptr;
}

}  // namespace

void InstallSkinAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&SkinFactory);
        if (QCoreApplication* application = QCoreApplication::instance()) {
            application->installEventFilter(new FocusReasonWatch(application));
        }
        return true;
    }();
    (void)installed;
}

QAccessible::Role AccessibleRoleOf(SkinRole role) {
    switch (role) {
        case SkinRole::Button:
            return QAccessible::PushButton;
        case SkinRole::CheckBox:
            return QAccessible::CheckBox;
        case SkinRole::RadioButton:
            return QAccessible::RadioButton;
        case SkinRole::Indicator:
            return QAccessible::Indicator;
        case SkinRole::Label:
            return QAccessible::StaticText;
    }
    return QAccessible::PushButton;
}

bool IsCheckable(SkinRole role) {
    return role == SkinRole::CheckBox || role == SkinRole::RadioButton;
}

bool TakesFocus(SkinRole role) {
    return role != SkinRole::Indicator && role != SkinRole::Label;
}

void SetAccessibleTextSource(QWidget& widget, AccessibleTextSource source) {
    delete HolderOf(widget);
    new TextSourceHolder(&widget, std::move(source));
}

QString AccessibleSourceText(const QWidget& widget) {
    const TextSourceHolder* holder = HolderOf(widget);
    return holder ? holder->Text() : QString();
}

QString AccessibleNameOf(const QWidget& widget, std::initializer_list<QString> fallbacks) {
    QString name = AccessibleSourceText(widget);
    if (name.isEmpty()) {
        name = widget.accessibleName();
    }
    for (const QString& fallback : fallbacks) {
        if (!name.isEmpty()) {
            break;
        }
        name = fallback;
    }
    return name;
}

void NotifyNameChanged(QWidget& widget) {
    QAccessibleEvent event(&widget, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void NotifyCheckedChanged(QWidget& widget) {
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(&widget, changed);
    QAccessible::updateAccessibility(&event);
}

bool ShowsFocusMark(const QWidget& widget) {
    return widget.hasFocus() && widget.property(kKeyboardFocus).toBool();
}

void DrawFocusMark(QPainter& painter, const QWidget& widget, QColor colour) {
    if (!colour.isValid()) {
        colour = widget.palette().color(QPalette::Highlight);
    }
    QPen pen(colour, 1, Qt::DotLine);
    painter.save();
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(widget.rect().adjusted(2, 2, -3, -3));
    painter.restore();
}

void SetReadingTabOrder(std::span<const TabUnit> units) {
    std::vector<const TabUnit*> order;
    for (const TabUnit& unit : units) {
        if (!unit.empty() && unit.front() != nullptr) {
            order.push_back(&unit);
        }
    }
    const auto rectOf = [](const TabUnit* unit) { return unit->front()->geometry(); };
    std::stable_sort(order.begin(), order.end(), [&](const TabUnit* a, const TabUnit* b) {
        return rectOf(a).top() < rectOf(b).top();
    });
    // A unit whose top lies within the upper half of the row's first unit
    // belongs to that row.
    std::vector<std::vector<const TabUnit*>> rows;
    int rowLimit = 0;
    for (const TabUnit* unit : order) {
        const QRect rect = rectOf(unit);
        if (rows.empty() || rect.top() >= rowLimit) {
            rows.emplace_back();
            rowLimit = rect.top() + std::max(1, rect.height() / 2);
        }
        rows.back().push_back(unit);
    }
    QWidget* previous = nullptr;
    for (std::vector<const TabUnit*>& row : rows) {
        std::stable_sort(row.begin(), row.end(), [&](const TabUnit* a, const TabUnit* b) {
            return rectOf(a).left() < rectOf(b).left();
        });
        for (const TabUnit* unit : row) {
            for (QWidget* widget : *unit) {
                if (widget == nullptr) {
                    continue;
                }
                if (previous != nullptr) {
                    QWidget::setTabOrder(previous, widget);
                }
                previous = widget;
            }
        }
    }
}

void SetReadingTabOrder(QWidget& window) {
    std::vector<TabUnit> units;
    for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->focusPolicy() & Qt::TabFocus) {
            units.push_back({child});
        }
    }
    SetReadingTabOrder(units);
}

StatusAnnouncer::StatusAnnouncer(QWidget* window) : QWidget(window) {
    InstallSkinAccessibility();
    setObjectName(QLatin1String(kAnnouncerName));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(0, 0, 1, 1);
}

void StatusAnnouncer::Say(const QString& text) {
    // The same text twice (two applies) is still news.
    if (accessibleName() == text) {
        NotifyNameChanged(*this);
    } else {
        setAccessibleName(text);
    }
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

QWidget* AnnouncerOf(const QWidget& window) {
    return window.findChild<StatusAnnouncer*>(QLatin1String(kAnnouncerName),
                                              Qt::FindDirectChildrenOnly);
}

void Announce(QWidget& widget, const QString& text) {
    if (text.isEmpty()) {
        return;
    }
    QWidget* window = widget.window();
    auto* announcer = static_cast<StatusAnnouncer*>(AnnouncerOf(*window));
    if (announcer == nullptr) {
        announcer = new StatusAnnouncer(window);
        announcer->show();
    }
    announcer->Say(text);
}

}  // namespace tessel
