#include "BitmapButton.h"

#include "FocusCue.h"
#include "KeyboardCues.h"
#include "Resources.h"

#include <QKeyEvent>
#include <QPainter>

namespace pelto5 {

BitmapButton::BitmapButton(QWidget* parent, int id, const QString& caption, const QRect& rect)
    : QAbstractButton(parent), m_id(id) {
    setText(caption);
    setProperty("id", id);
    setProperty("controlId", id);
    setGeometry(rect);
    setFocusPolicy(Qt::StrongFocus);
    // A right-click on a button does nothing, not even its window's menu.
    setContextMenuPolicy(Qt::PreventContextMenu);
    connect(this, &QAbstractButton::clicked, this, [this] { emit clickedWithId(m_id); });
}

void BitmapButton::SetImages(const QImage& normal, const QImage& pressed) {
    // Held as images: they share the decoded resource, so no copy is made.
    m_normal = normal;
    m_pressed = pressed;
    // A face that covers the whole button hides everything under it, so the
    // window need not paint the skin there first.
    const QSize need = size();
    setAttribute(Qt::WA_OpaquePaintEvent,
                 !m_normal.isNull() && m_normal.width() >= need.width() &&
                     m_normal.height() >= need.height() &&
                     (m_pressed.isNull() ||
                      (m_pressed.width() >= need.width() && m_pressed.height() >= need.height())));
    update();
}

void BitmapButton::LoadBitmaps(int normalId, int pressedId) {
    m_normalId = normalId;
    m_pressedId = pressedId;
    SetImages(ResourceBitmap(normalId), ResourceBitmap(pressedId));
    emit facesChanged();
}

void BitmapButton::keyPressEvent(QKeyEvent* event) {
    // Alt+Space is the window menu's key, which no button takes as a press.
    if (event->key() == Qt::Key_Space && (event->modifiers() & Qt::AltModifier)) {
        event->ignore();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void BitmapButton::paintEvent(QPaintEvent*) {
    // Without a pressed face the normal one stays while held down.
    const QImage& face = isDown() && !m_pressed.isNull() ? m_pressed : m_normal;
    QPainter painter(this);
    if (!face.isNull())
        painter.drawImage(QPoint(0, 0), face, QRect(0, 0, width(), height()));
    if (hasFocus() && KeyboardCuesShown(this)) {
        // Where no face covers the button, the cue is set off the window's colour.
        const QRgb bare = palette().color(QPalette::Window).rgb();
        DrawFocusCue(painter, rect(), [&face, bare](const QPoint& p) {
            return face.valid(p) ? face.pixel(p) : bare;
        });
    }
}

} // namespace pelto5
