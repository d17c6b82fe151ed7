#include "FindDlg.h"

#include "DialogFont.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace pelto5 {

namespace {

constexpr int kVisibleRows = 14;
constexpr int kColumnGap = 18;
constexpr int kEdge = 1;

} // namespace

FindDlg::FindDlg(const QList<Entry>& entries, QWidget* parent)
    : QDialog(parent, Qt::Popup | Qt::FramelessWindowHint) {
    setFont(DialogFont());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kEdge + 2, kEdge + 2, kEdge + 2, kEdge + 2);
    layout->setSpacing(2);

    setAccessibleName(tr("Find a hardpoint"));
    m_filter = new QLineEdit(this);
    m_filter->setAccessibleName(tr("Name to find"));
    m_filter->setAccessibleDescription(
        tr("Part of a hardpoint's name: Up and Down choose among those that hold it, Enter "
           "picks the marker up"));
    m_filter->installEventFilter(this);
    layout->addWidget(m_filter);

    m_list = new QTreeWidget(this);
    m_list->setAccessibleName(tr("Hardpoints"));
    m_list->setColumnCount(2);
    m_list->setHeaderHidden(true);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const QFontMetrics metrics(font());
    int nameWidth = 0, whereWidth = 0;
    for (int i = 0; i < entries.size(); ++i) {
        auto* item = new QTreeWidgetItem(m_list, {entries[i].name, entries[i].where});
        item->setData(0, Qt::UserRole, i);
        nameWidth = std::max(nameWidth, metrics.horizontalAdvance(entries[i].name));
        whereWidth = std::max(whereWidth, metrics.horizontalAdvance(entries[i].where));
    }
    // Each column as wide as its widest text measures, with room for the
    // cell's own margins.
    const int cellMargins = 2 * (m_list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 4);
    m_list->setColumnWidth(0, nameWidth + cellMargins + kColumnGap);
    m_list->setColumnWidth(1, whereWidth + cellMargins);
    const int rowHeight = std::max(metrics.height(), m_list->sizeHintForRow(0));
    const int frame = 2 * m_list->frameWidth();
    m_list->setFixedSize(m_list->columnWidth(0) + m_list->columnWidth(1) +
                             m_list->verticalScrollBar()->sizeHint().width() + frame,
                         rowHeight * kVisibleRows + frame);
    layout->addWidget(m_list);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_filter, &QLineEdit::textChanged, this, &FindDlg::Narrow);
    connect(m_filter, &QLineEdit::returnPressed, this, [this] { Choose(m_list->currentItem()); });
    connect(m_list, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { Choose(item); });
    Narrow(QString());
    m_filter->setFocus(Qt::PopupFocusReason);
}

void FindDlg::PlaceAt(const QPoint& pointer, const QRect& available) {
    adjustSize();
    const QSize size = sizeHint().expandedTo(this->size());
    const int x =
        std::max(available.left(), std::min(pointer.x(), available.right() + 1 - size.width()));
    const int y =
        std::max(available.top(), std::min(pointer.y(), available.bottom() + 1 - size.height()));
    move(x, y);
}

void FindDlg::Narrow(const QString& text) {
    QTreeWidgetItem* first = nullptr;
    for (int k = 0; k < m_list->topLevelItemCount(); ++k) {
        QTreeWidgetItem* item = m_list->topLevelItem(k);
        const bool shown = item->text(0).contains(text, Qt::CaseInsensitive);
        item->setHidden(!shown);
        if (shown && !first)
            first = item;
    }
    m_list->setCurrentItem(first);
    if (first)
        m_list->scrollToItem(first);
}

void FindDlg::Choose(QTreeWidgetItem* item) {
    if (!item || item->isHidden())
        return;
    m_nChosen = item->data(0, Qt::UserRole).toInt();
    accept();
}

bool FindDlg::eventFilter(QObject* watched, QEvent* event) {
    // The typing line keeps the focus; the keys that walk a list walk the list.
    if (watched == m_filter && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
            key == Qt::Key_PageDown) {
            QCoreApplication::sendEvent(m_list, event);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FindDlg::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    // An edge in the text colour sets the black popup off the black window under it.
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace pelto5
