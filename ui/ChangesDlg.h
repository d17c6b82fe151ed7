#pragma once

#include "HardpointChanges.h"

#include <QDialog>
#include <QRect>
#include <QString>

#include <vector>

class QPushButton;
class QTreeWidget;

namespace pelto5 {

// The "Changes" window of a comparison: the hardpoints that stand elsewhere
// in the compared file than now, one row each ("Weapon5 56,38 → 60,40
// (+4,+2)"), in table order or, after a click on the header, largest move
// first. Enter or a double click on a row asks for its marker to be picked
// up, R for its hardpoint to go back where the compared file has it. It stays
// open beside the editor window, frameless, in the application's colours,
// until the user drags it elsewhere by its title; Esc or its close button
// close it. The editor window's keys with Ctrl (Ctrl+S, Ctrl+Z, Ctrl+D...)
// work here as there; every other key is the list's.
class ChangesDlg : public QDialog {
    Q_OBJECT
public:
    explicit ChangesDlg(QWidget* window);

    // Lists changes (in table order) against the file named compared.
    void ShowChanges(const QString& compared, const std::vector<HardpointChange>& changes);
    // A row's text: the name, the place in the compared file, the place now
    // and, when both are on the picture, the move.
    static QString RowText(const HardpointChange& change);
    // Puts the window beside window (a frame on the screen) as the
    // magnifier stands beside it: right of it where it fits, else left of
    // it, else below or above, always wholly within available; it stays
    // there as its size changes. Once the user has dragged it, it stays
    // where it was put, kept within available.
    void PlaceBeside(const QRect& window, const QRect& available);

    QTreeWidget* List() const { return m_list; }
    QPushButton* CloseButton() const { return m_close; }
    // The hardpoints listed, in the order shown.
    std::vector<int> Shown() const;
    // Whether the rows show largest move first rather than in table order.
    bool LargestFirst() const { return m_bLargestFirst; }

signals:
    void PickUpRequested(int hardpoint);
    void RevertRequested(int hardpoint);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // A drag on the title moves the window.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // The rows again, from the changes in the order chosen; the current row
    // stays on its hardpoint, or at its place when that row went.
    void Fill();
    void Place();
    void FitWidth();
    // The hardpoint of the current row, or -1.
    int CurrentHardpoint() const;

    QPushButton* m_close = nullptr;
    QTreeWidget* m_list = nullptr;
    QString m_compared;
    std::vector<HardpointChange> m_changes;
    bool m_bLargestFirst = false;
    // The widest row text the column has room for.
    int m_nTextRoom = 0;
    QRect m_window;
    QRect m_available;
    bool m_bDragging = false;
    bool m_bMovedByUser = false;
    QPoint m_ptDragStart;
};

} // namespace pelto5
