#include "FindDlg.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace pelto5 {

namespace {

constexpr int kVisibleRows = 14;
constexpr int kColumnGap = 18;

} // namespace

FindDlg::FindDlg(const QList<Entry>& entries, QWidget* parent) : PointerPopup(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
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
        m_rows.push_back(item);
        m_names.push_back(entries[i].name);
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

QList<int> FindDlg::Ranked(const QStringList& names, const QString& text) {
    QList<int> groups[3];
    for (int i = 0; i < names.size(); ++i) {
        const QString& name = names[i];
        if (name.compare(text, Qt::CaseInsensitive) == 0)
            groups[0].push_back(i);
        else if (name.startsWith(text, Qt::CaseInsensitive))
            groups[1].push_back(i);
        else if (name.contains(text, Qt::CaseInsensitive))
            groups[2].push_back(i);
    }
    return groups[0] + groups[1] + groups[2];
}

void FindDlg::Narrow(const QString& text) {
    // The rows that hold text, in their rank, above the hidden rest.
    const QList<int> ranked = Ranked(m_names, text);
    QList<QTreeWidgetItem*> order;
    QList<bool> placed(m_rows.size(), false);
    for (int i : ranked) {
        order.push_back(m_rows[i]);
        placed[i] = true;
    }
    for (int i = 0; i < m_rows.size(); ++i)
        if (!placed[i])
            order.push_back(m_rows[i]);
    while (m_list->topLevelItemCount() > 0)
        m_list->takeTopLevelItem(0);
    m_list->addTopLevelItems(order);
    for (int k = 0; k < order.size(); ++k)
        order[k]->setHidden(k >= ranked.size());
    QTreeWidgetItem* first = ranked.isEmpty() ? nullptr : order.front();
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

} // namespace pelto5
