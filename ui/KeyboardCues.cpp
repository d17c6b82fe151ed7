#include "KeyboardCues.h"

#include <QApplication>
#include <QFocusEvent>
#include <QWidget>

namespace pelto5 {

namespace {

constexpr const char* kCuesProperty = "keyboardCuesShown";

// Watches the whole application, since a press reaches whichever control lies
// under the pointer and a focus move whichever control takes the focus.
class CueTracker : public QObject {
public:
    explicit CueTracker(QWidget* window) : QObject(window), m_window(window) {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::FocusIn && type != QEvent::MouseButtonPress &&
            type != QEvent::MouseButtonDblClick)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget->window() != m_window)
            return false;
        bool shown = m_window->property(kCuesProperty).toBool();
        if (type == QEvent::FocusIn) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            shown = shown || reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason;
        } else {
            shown = false;
        }
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
