#include "ChangesDlg.h"

#include "DialogFont.h"
#include "WindowEdge.h"
#include "WindowPlacement.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>

namespace pelto5 {

namespace {

constexpr int kVisibleRows = 12;
constexpr int kEdge = 1;
// Between the editor window and this one.
constexpr int kGap = 8;
// The row the list is at least as wide as: the longest name, moved across
// the whole of the largest picture the window shows.
const HardpointChange kWideRow{kFirstTiIndex - 1, Point{607, 369}, Point{0, 0}};

QString PlaceText(const std::optional<Point>& at) {
    return at ? QStringLiteral("%1,%2").arg(at->x).arg(at->y) : ChangesDlg::tr("tray");
}

QString Signed(int64_t v) {
    return v < 0 ? QString::number(v) : QStringLiteral("+%1").arg(v);
}

int HardpointOf(const QTreeWidgetItem* item) {
    return item ? item->data(0, Qt::UserRole).toInt() : -1;
}

} // namespace

ChangesDlg::ChangesDlg(QWidget* window) : QDialog(window, Qt::Tool | Qt::FramelessWindowHint) {
    setFont(DialogFont());
    setWindowTitle(tr("Changes"));
    setAccessibleName(tr("Changes"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kEdge + 2, kEdge + 2, kEdge + 2, kEdge + 2);
    layout->setSpacing(2);

    auto* top = new QHBoxLayout;
    auto* title = new QLabel(tr("Changes"), this);
    title->setTextFormat(Qt::PlainText);
    // A press on the title drags the window.
    title->setAttribute(Qt::WA_TransparentForMouseEvents);
    top->addWidget(title);
    top->addStretch();
    m_close = new QPushButton(QStringLiteral("\u00D7"), this);
    m_close->setAccessibleName(tr("Close"));
    m_close->setToolTip(tr("Close: the comparison ends"));
    m_close->setFlat(true);
    m_close->setFocusPolicy(Qt::NoFocus);
    const int side = QFontMetrics(font()).height() + 4;
    m_close->setFixedSize(side, side);
    top->addWidget(m_close);
    layout->addLayout(top);

    m_list = new QTreeWidget(this);
    m_list->setColumnCount(1);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_list->setAccessibleName(tr("Changed hardpoints"));
    m_list->setAccessibleDescription(
        tr("Enter picks a marker up; R puts it back where the compared file has it."));
    m_list->header()->setSectionsClickable(true);
    m_list->header()->setSortIndicator(0, Qt::DescendingOrder);
    m_list->header()->setToolTip(tr("Click: largest move first, or table order"));
    m_list->installEventFilter(this);
    layout->addWidget(m_list);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list->header(), &QHeaderView::sectionClicked, this, [this] {
        m_bLargestFirst = !m_bLargestFirst;
        Fill();
    });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (HardpointOf(item) >= 0)
            emit PickUpRequested(HardpointOf(item));
    });
    Fill();
}

QString ChangesDlg::RowText(const HardpointChange& change) {
    const QString name = QString::fromLatin1(HardpointNames()[change.hardpoint].c_str());
    const QString text = tr("%1 %2 → %3").arg(name, PlaceText(change.was), PlaceText(change.now));
    if (!change.was || !change.now)
        return text;
    return tr("%1 (%2,%3)")
        .arg(text, Signed(int64_t{change.now->x} - change.was->x),
             Signed(int64_t{change.now->y} - change.was->y));
}

void ChangesDlg::ShowChanges(const QString& compared, const std::vector<HardpointChange>& changes) {
    if (compared == m_compared && changes == m_changes)
        return;
    m_compared = compared;
    m_changes = changes;
    Fill();
}

std::vector<int> ChangesDlg::Shown() const {
    std::vector<int> shown;
    for (int k = 0; k < m_list->topLevelItemCount(); ++k)
        if (HardpointOf(m_list->topLevelItem(k)) >= 0)
            shown.push_back(HardpointOf(m_list->topLevelItem(k)));
    return shown;
}

int ChangesDlg::CurrentHardpoint() const {
    return HardpointOf(m_list->currentItem());
}

void ChangesDlg::Fill() {
    std::vector<HardpointChange> rows = m_changes;
    if (m_bLargestFirst)
        SortLargestMoveFirst(rows);
    const QString header = tr("%1 → now").arg(m_compared);
    const bool newHeader = m_list->headerItem()->text(0) != header;
    if (newHeader)
        m_list->setHeaderLabels({header});
    m_list->header()->setSortIndicatorShown(m_bLargestFirst);

    bool sameRows = m_list->topLevelItemCount() == static_cast<int>(rows.size());
    for (int k = 0; sameRows && k < static_cast<int>(rows.size()); ++k)
        sameRows = HardpointOf(m_list->topLevelItem(k)) == rows[k].hardpoint;
    if (sameRows) {
        // A carried marker changes its row at every step: that text alone,
        // and the width only when the new text needs more.
        const QFontMetrics metrics(m_list->font());
        bool wider = newHeader;
        for (int k = 0; k < static_cast<int>(rows.size()); ++k) {
            QTreeWidgetItem* item = m_list->topLevelItem(k);
            const QString text = RowText(rows[k]);
            if (item->text(0) == text)
                continue;
            item->setText(0, text);
            wider = wider || metrics.horizontalAdvance(text) > m_nTextRoom;
        }
        if (wider)
            FitWidth();
        return;
    }

    const int current = CurrentHardpoint();
    const int currentRow = std::max(0, m_list->indexOfTopLevelItem(m_list->currentItem()));
    m_list->clear();
    for (const HardpointChange& row : rows) {
        auto* item = new QTreeWidgetItem(m_list, {RowText(row)});
        item->setData(0, Qt::UserRole, row.hardpoint);
    }
    if (rows.empty()) {
        auto* none = new QTreeWidgetItem(
            m_list, {tr("Every hardpoint stands where %1 has it.").arg(m_compared)});
        none->setData(0, Qt::UserRole, -1);
        none->setFlags(Qt::ItemIsEnabled);
    }
    QTreeWidgetItem* keep = nullptr;
    for (int k = 0; k < m_list->topLevelItemCount() && !keep; ++k)
        if (HardpointOf(m_list->topLevelItem(k)) == current)
            keep = m_list->topLevelItem(k);
    if (!keep && !rows.empty())
        keep = m_list->topLevelItem(std::min(currentRow, static_cast<int>(rows.size()) - 1));
    m_list->setCurrentItem(keep);
    FitWidth();
}

void ChangesDlg::FitWidth() {
    // The column as wide as its widest text measures, with room for the
    // cell's own margins and the header's sort arrow.
    const QFontMetrics metrics(m_list->font());
    int widest =
        std::max(metrics.horizontalAdvance(RowText(kWideRow)),
                 metrics.horizontalAdvance(m_list->headerItem()->text(0)) + 2 * metrics.height());
    for (int k = 0; k < m_list->topLevelItemCount(); ++k)
        widest = std::max(widest, metrics.horizontalAdvance(m_list->topLevelItem(k)->text(0)));
    const int cellMargins = 2 * (m_list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 4);
    m_nTextRoom = widest;
    m_list->setColumnWidth(0, widest + cellMargins);
    const int rowHeight = std::max(metrics.height(), m_list->sizeHintForRow(0));
    const int frame = 2 * m_list->frameWidth();
    m_list->setFixedSize(m_list->columnWidth(0) + m_list->verticalScrollBar()->sizeHint().width() +
                             frame,
                         m_list->header()->sizeHint().height() + rowHeight * kVisibleRows + frame);
}

void ChangesDlg::PlaceBeside(const QRect& window, const QRect& available) {
    m_window = window;
    m_available = available;
    adjustSize();
    Place();
}

void ChangesDlg::Place() {
    if (!m_window.isValid())
        return;
    // A gap from the window's sides sets the two apart.
    move(m_bMovedByUser
             ? KeptWithin(size(), pos(), m_available)
             : BesideTopLeft(size(), m_window.adjusted(-kGap, 0, kGap, 0), {}, m_available));
}

void ChangesDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QDialog::mousePressEvent(event);
    m_bMovedByUser = true;
    // Where the desktop moves windows itself (Wayland, a window manager that
    // offers it), it takes the drag.
    if (windowHandle() && windowHandle()->startSystemMove())
        return;
    m_bDragging = true;
    m_ptDragStart = event->position().toPoint();
}

void ChangesDlg::mouseMoveEvent(QMouseEvent* event) {
    if (m_bDragging)
        move(pos() + event->position().toPoint() - m_ptDragStart);
    QDialog::mouseMoveEvent(event);
}

void ChangesDlg::mouseReleaseEvent(QMouseEvent* event) {
    m_bDragging = false;
    QDialog::mouseReleaseEvent(event);
}

bool ChangesDlg::eventFilter(QObject* watched, QEvent* event) {
    // The editor window's keys stay live while this window has the keys; the
    // list keeps those without Ctrl or Alt (the arrows would nudge a marker).
    if (watched == m_list && event->type() == QEvent::ShortcutOverride &&
        !(static_cast<QKeyEvent*>(event)->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        event->accept();
        return true;
    }
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const int hardpoint = CurrentHardpoint();
        const bool plain = !(key->modifiers() & ~Qt::KeypadModifier);
        if (plain && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            if (hardpoint >= 0)
                emit PickUpRequested(hardpoint);
            return true;
        }
        if (plain && key->key() == Qt::Key_R) {
            if (hardpoint >= 0)
                emit RevertRequested(hardpoint);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ChangesDlg::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    PaintWindowEdge(*this);
}

void ChangesDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    Place();
}

} // namespace pelto5
