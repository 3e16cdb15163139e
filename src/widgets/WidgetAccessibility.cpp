#include "widgets/WidgetAccessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include "skin/qt/SkinAccessibility.h"
#include "widgets/CBitmapSlider.h"
#include "widgets/CSkinColorBtn.h"
#include "widgets/ClickablePicture.h"

namespace tessel {

namespace {

class SliderAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit SliderAccessible(CBitmapSlider* slider)
        : QAccessibleWidget(slider, QAccessible::Slider) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface) {
            return static_cast<QAccessibleValueInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            return AccessibleNameOf(*Slider(), {});
        }
        if (t == QAccessible::Value) {
            return QString::number(Slider()->GetPos());
        }
        return QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return Slider()->GetPos(); }
    // A reader's change is the user's: the window hears of it.
    void setCurrentValue(const QVariant& value) override { Slider()->MoveTo(value.toInt()); }
    QVariant maximumValue() const override { return Slider()->RangeMax(); }
    QVariant minimumValue() const override { return Slider()->RangeMin(); }
    QVariant minimumStepSize() const override { return 1; }

private:
    CBitmapSlider* Slider() const { return static_cast<CBitmapSlider*>(widget()); }
};

class ColourButtonAccessible : public QAccessibleWidget {
public:
    explicit ColourButtonAccessible(CSkinColorBtn* button)
        : QAccessibleWidget(button, QAccessible::ButtonMenu) {}

    QString text(QAccessible::Text t) const override {
        const QString colour = Button()->ChosenOrDefault().name();
        if (t == QAccessible::Name) {
            const QString name = AccessibleNameOf(*Button(), {});
            return name.isEmpty() ? colour : name + QLatin1String(", ") + colour;
        }
        if (t == QAccessible::Value) {
            return colour;
        }
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override {
        return QStringList(showMenuAction()) << QAccessibleWidget::actionNames();
    }

    void doAction(const QString& actionName) override {
        if (actionName == showMenuAction() || actionName == pressAction()) {
            Button()->ShowPalette();
            return;
        }
        QAccessibleWidget::doAction(actionName);
    }

private:
    CSkinColorBtn* Button() const { return static_cast<CSkinColorBtn*>(widget()); }
};

class PictureAccessible : public QAccessibleWidget {
public:
    explicit PictureAccessible(ClickablePicture* picture)
        : QAccessibleWidget(picture, AccessibleRoleOf(picture->Role())) {}

    QAccessible::Role role() const override { return AccessibleRoleOf(Picture()->Role()); }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            return AccessibleNameOf(*Picture(), {});
        }
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        if (IsCheckable(Picture()->Role())) {
            s.checkable = true;
            s.checked = Picture()->IsChecked();
        }
        s.focusable = true;
        return s;
    }

    QStringList actionNames() const override {
        return QStringList(pressAction()) << QAccessibleWidget::actionNames();
    }

    void doAction(const QString& actionName) override {
        if (actionName == pressAction()) {
            Picture()->Press();
            return;
        }
        QAccessibleWidget::doAction(actionName);
    }

private:
    ClickablePicture* Picture() const { return static_cast<ClickablePicture*>(widget()); }
};

QAccessibleInterface* WidgetFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("tessel::CBitmapSlider")) {
        return new SliderAccessible(static_cast<CBitmapSlider*>(object));
    }
    if (className == QLatin1String("tessel::CSkinColorBtn")) {
        return new ColourButtonAccessible(static_cast<CSkinColorBtn*>(object));
    }
    if (className == QLatin1String("tessel::ClickablePicture")) {
        return new PictureAccessible(static_cast<ClickablePicture*>(object));
    }
    return nullptr;
}

}  // namespace

void InstallWidgetAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&WidgetFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace tessel
