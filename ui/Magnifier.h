#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QString>
#include <QWidget>

namespace pelto5 {

class MarkerSurface;
struct PictureLayout;

// What the magnifier shows of the editor window, asked whenever it paints.
class MagnifierSource {
public:
    virtual ~MagnifierSource() = default;
    // The decoded picture that picture control pictureId shows; null when none.
    virtual QImage ShownPicture(int pictureId) const = 0;
    // The name of hardpoint i, as the marker stands for it.
    virtual QString MarkerName(int i) const = 0;
    // The markers whose drop place the magnifier marks: those carried now.
    virtual QList<int> MarkedMarkers() const = 0;
    // The markers selected to move together.
    virtual QList<int> SelectedMarkers() const = 0;
};

// L's magnifier: a small window beside the editor window, wholly on its
// screen and never over the ship pictures, that shows the picture under the
// pointer around it in whole, unsmoothed blocks with a grid between them. It
// outlines the pixel under the cursor, marks where a carried marker's
// top-left would drop, outlines the markers in view with their names (the
// selected ones as the selection cue shows them), and names the file point
// of the pixel at its centre. The window tells it where the pointer goes and
// when markers move; L, or Esc while it has the focus, hides it. Nothing of
// it is kept between runs.
class Magnifier : public QWidget {
    Q_OBJECT
public:
    // Each picture pixel shows as a block this many client pixels wide and
    // high, a line of the grid included; the view is this many pixels across.
    static constexpr int kZoom = 9;
    static constexpr int kCells = 25;

    Magnifier(QWidget* owner, const MarkerSurface& markers, const MagnifierSource& source);

    // Shown, beside the window; hidden, the window has the focus again.
    void Toggle();
    // The view centres on client pixel centre, the cursor at client pixel cursor.
    void Follow(const QPoint& centre, const QPoint& cursor);
    // The markers or pictures changed: shown, the view is drawn anew.
    void Refresh();
    // Moves beside the window, wholly on its screen, clear of the pictures.
    void Place();
    // What the text line says: the picture and file point at the centre.
    QString CentreText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // The view, its names and its text line, in whole device pixels where
    // they show picture pixels.
    void PaintView();
    // The picture under the centre, as the pointer read-out picks it.
    const PictureLayout& CentrePicture() const;
    // The view in device pixels, cell (device pixels a picture pixel takes) wide.
    QImage DrawView(const QSize& deviceSize, int cell, const QPoint& gridOffset) const;
    // The markers in view, with their rectangles in the view's picture pixels.
    QList<QPair<int, QRect>> MarkersInView() const;
    // The view's top-left picture pixel.
    QPoint ViewOrigin() const;
    QRect ViewRect() const;

    QWidget* m_owner;
    const MarkerSurface& m_markers;
    const MagnifierSource& m_source;
    QPoint m_ptCentre;
    QPoint m_ptCursor;
};

} // namespace pelto5
