#pragma once

#include <QKeyEvent>

namespace pelto5 {

// Enter or Return with no modifier: a dialog's OK, since none of its buttons is
// a default button.
inline bool IsDialogOkKey(const QKeyEvent* event) {
    const bool plain =
        event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    return plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter);
}

} // namespace pelto5
