#include "FocusReturn.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QMenu>
#include <QWidget>

namespace pelto5 {

namespace {

// Watches the whole application: every dialog and menu closes through a
// hide, whoever opened it (the window, a button, a link, a file dialog).
class FocusReturner : public QObject {
public:
    explicit FocusReturner(QWidget* window) : QObject(window), m_window(window) {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide && watched != m_window && !m_returnPending &&
            (qobject_cast<QDialog*>(watched) || qobject_cast<QMenu*>(watched))) {
            // Once the closing is done: by then the next question, if one
            // follows, is open and keeps the focus.
            m_returnPending = true;
            QMetaObject::invokeMethod(this, &FocusReturner::ReturnFocus, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void ReturnFocus() {
        m_returnPending = false;
        // A menu or popup still open holds the keyboard itself.
        if (QApplication::activePopupWidget())
            return;
        QWidget* beneath = QApplication::activeModalWidget();
        if (!beneath)
            beneath = m_window;
        if (beneath->isVisible() && !beneath->isMinimized())
            beneath->activateWindow();
    }

    QWidget* m_window;
    bool m_returnPending = false;
};

} // namespace

void ReturnFocusAfterDialogs(QWidget* window) {
    new FocusReturner(window);
}

} // namespace pelto5
