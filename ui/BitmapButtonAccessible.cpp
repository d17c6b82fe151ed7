#include "BitmapButtonAccessible.h"

#include "BitmapButton.h"

namespace pelto5 {

BitmapButtonAccessible::BitmapButtonAccessible(BitmapButton* button)
    : QAccessibleWidget(button, QAccessible::Button) {}

QString BitmapButtonAccessible::text(QAccessible::Text t) const {
    const QString text = QAccessibleWidget::text(t);
    return t == QAccessible::Name && text.isEmpty() ? Button()->text() : text;
}

QAccessible::State BitmapButtonAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.pressed = Button()->isDown();
    state.selectable = Button()->IsSelectable();
    state.selected = Button()->IsSelected();
    return state;
}

QStringList BitmapButtonAccessible::actionNames() const {
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
}

void BitmapButtonAccessible::doAction(const QString& action) {
    if (action == pressAction())
        Button()->animateClick();
    else
        QAccessibleWidget::doAction(action);
}

BitmapButton* BitmapButtonAccessible::Button() const {
    return static_cast<BitmapButton*>(widget());
}

} // namespace pelto5
