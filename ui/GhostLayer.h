#pragma once

#include <QRect>
#include <QVector>
#include <QWidget>

namespace pelto5 {

// Where a comparison puts the hardpoints that stand elsewhere now: an outline
// of each such marker at that place, and a thin line from it to the marker.
// It covers the window, lies on the ship pictures beneath every other
// control, and lets the mouse through.
class GhostLayer : public QWidget {
public:
    struct Ghost {
        QRect at;     // the marker's outline where the compared file has it
        QRect marker; // the marker where it stands now
        bool operator==(const Ghost& o) const { return at == o.at && marker == o.marker; }
    };

    explicit GhostLayer(QWidget* window);

    void SetGhosts(const QVector<Ghost>& ghosts);
    const QVector<Ghost>& Ghosts() const { return m_ghosts; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The pixels a ghost and its line may touch.
    static QRegion Covered(const Ghost& ghost);

    QVector<Ghost> m_ghosts;
};

} // namespace pelto5
