#include "KeyboardCues.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace pelto5 {

namespace {

constexpr const char* kCuesProperty = "keyboardCuesShown";

// Watches the whole application, since a press reaches whichever control lies
// under the pointer, and a key the focused control.
class CueTracker : public QObject {
public:
    explicit CueTracker(QWidget* window) : QObject(window), m_window(window) {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // The key itself, not the focus event's reason: a dialog that shows
        // gives its first control the focus as if Tab had.
        const QEvent::Type type = event->type();
        const bool tab =
            type == QEvent::KeyPress && (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Tab ||
                                         static_cast<QKeyEvent*>(event)->key() == Qt::Key_Backtab);
        const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
        if (!tab && !press)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget->window() != m_window)
            return false;
        const bool shown = tab;
        if (shown != m_window->property(kCuesProperty).toBool()) {
            m_window->setProperty(kCuesProperty, shown);
            if (QWidget* focused = m_window->focusWidget())
                focused->update();
        }
        return false;
    }

private:
    QWidget* m_window;
};

} // namespace

void TrackKeyboardCues(QWidget* window) {
    new CueTracker(window);
}

bool KeyboardCuesShown(const QWidget* control) {
    return control->window()->property(kCuesProperty).toBool();
}

} // namespace pelto5
