#include "BitmapButton.h"

#include "Resources.h"

#include <QPainter>

namespace pelto5 {

BitmapButton::BitmapButton(QWidget* parent, int id, const QString& caption, const QRect& rect)
    : QAbstractButton(parent), m_id(id) {
    setText(caption);
    setProperty("id", id);
    setProperty("controlId", id);
    setGeometry(rect);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QAbstractButton::clicked, this, [this] { emit clickedWithId(m_id); });
}

void BitmapButton::SetImages(const QImage& normal, const QImage& pressed) {
    m_normal = QPixmap::fromImage(normal);
    m_pressed = QPixmap::fromImage(pressed);
    update();
}

void BitmapButton::LoadBitmaps(int normalId, int pressedId) {
    m_normalId = normalId;
    m_pressedId = pressedId;
    SetImages(ResourceBitmap(normalId), ResourceBitmap(pressedId));
}

void BitmapButton::paintEvent(QPaintEvent*) {
    // Without a pressed face the normal one stays while held down.
    const QPixmap& face = isDown() && !m_pressed.isNull() ? m_pressed : m_normal;
    if (face.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(QPoint(0, 0), face, QRect(0, 0, width(), height()));
}

} // namespace pelto5
