#include "GhostLayer.h"

#include "Colours.h"

#include <QPaintEvent>
#include <QPainter>

namespace pelto5 {

GhostLayer::GhostLayer(QWidget* window) : QWidget(window) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // Nothing of it is filled: the skin and the pictures show through.
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void GhostLayer::SetGhosts(const QVector<Ghost>& ghosts) {
    if (ghosts == m_ghosts)
        return;
    const QRegion before = Covered();
    m_ghosts = ghosts;
    setGeometry(parentWidget()->rect());
    update(before + Covered());
}

QRegion GhostLayer::Covered() const {
    QRegion covered;
    for (const Ghost& g : m_ghosts) {
        covered += QRect(g.at.center(), g.marker.center()).normalized().adjusted(-1, -1, 1, 1);
        covered += g.at;
    }
    return covered;
}

void GhostLayer::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(ToQColor(kGhost));
    // The lines stop at the outlines, so each outline stays empty inside.
    QRegion outside(rect());
    for (const Ghost& g : m_ghosts)
        outside -= g.at;
    painter.setClipRegion(outside);
    for (const Ghost& g : m_ghosts)
        painter.drawLine(g.at.center(), g.marker.center());
    painter.setClipping(false);
    for (const Ghost& g : m_ghosts)
        painter.drawRect(g.at.adjusted(0, 0, -1, -1));
}

} // namespace pelto5
