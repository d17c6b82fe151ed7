#include "GhostLayer.h"

#include "Colours.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace pelto5 {

GhostLayer::GhostLayer(QWidget* window) : QWidget(window) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // Nothing of it is filled: the skin and the pictures show through.
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void GhostLayer::SetGhosts(const QVector<Ghost>& ghosts) {
    // Only the ghosts that changed are painted again: while a marker is
    // carried, that is its own ghost's line alone.
    QRegion changed;
    for (qsizetype k = 0; k < std::max(ghosts.size(), m_ghosts.size()); ++k) {
        const Ghost* was = k < m_ghosts.size() ? &m_ghosts[k] : nullptr;
        const Ghost* now = k < ghosts.size() ? &ghosts[k] : nullptr;
        if (was && now && *was == *now)
            continue;
        if (was)
            changed += Covered(*was);
        if (now)
            changed += Covered(*now);
    }
    if (changed.isEmpty())
        return;
    m_ghosts = ghosts;
    setGeometry(parentWidget()->rect());
    update(changed);
}

QRegion GhostLayer::Covered(const Ghost& ghost) {
    return QRegion(QRect(ghost.at.center(), ghost.marker.center())
                       .normalized()
                       .adjusted(-1, -1, 1, 1)) +
           ghost.at;
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
