#include "SelectableButtonAccessible.h"

#include "BitmapButton.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace pelto5 {

namespace {

// Qt's push button, less what markers never have (a checked or default
// state), plus the selection.
class SelectableButtonAccessible : public QAccessibleWidget {
public:
    explicit SelectableButtonAccessible(BitmapButton* button)
        : QAccessibleWidget(button, QAccessible::Button) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        const auto* button = static_cast<const BitmapButton*>(widget());
        state.pressed = button->isDown();
        state.selectable = true;
        state.selected = button->IsSelected();
        return state;
    }
    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == pressAction())
            static_cast<BitmapButton*>(widget())->animateClick();
        else
            QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface* SelectableButtons(const QString& className, QObject* object) {
    if (className != QLatin1String(BitmapButton::staticMetaObject.className()))
        return nullptr;
    auto* button = qobject_cast<BitmapButton*>(object);
    return button && button->IsSelectable() ? new SelectableButtonAccessible(button) : nullptr;
}

} // namespace

void InstallSelectableButtonAccessible() {
    static const bool installed = [] {
        QAccessible::installFactory(SelectableButtons);
        return true;
    }();
    (void)installed;
}

} // namespace pelto5
