#include "BitmapButtonAccessible.h"

#include "BitmapButton.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace pelto5 {

namespace {

// Qt's push button, less what these buttons never have (a checked or default
// state, a menu), plus the selection.
class BitmapButtonAccessible : public QAccessibleWidget {
public:
    explicit BitmapButtonAccessible(BitmapButton* button)
        : QAccessibleWidget(button, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override {
        const QString text = QAccessibleWidget::text(t);
        return t == QAccessible::Name && text.isEmpty() ? Button()->text() : text;
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.pressed = Button()->isDown();
        state.selectable = Button()->IsSelectable();
        state.selected = Button()->IsSelected();
        return state;
    }
    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == pressAction())
            Button()->animateClick();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    BitmapButton* Button() const { return static_cast<BitmapButton*>(widget()); }
};

QAccessibleInterface* BitmapButtons(const QString& className, QObject* object) {
    if (className != QLatin1String(BitmapButton::staticMetaObject.className()))
        return nullptr;
    auto* button = qobject_cast<BitmapButton*>(object);
    return button ? new BitmapButtonAccessible(button) : nullptr;
}

} // namespace

void InstallBitmapButtonAccessible() {
    static const bool installed = [] {
        QAccessible::installFactory(BitmapButtons);
        return true;
    }();
    (void)installed;
}

} // namespace pelto5
