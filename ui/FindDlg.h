#pragma once

#include "PointerPopup.h"

#include <QList>
#include <QString>
#include <QStringList>

class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace pelto5 {

// The find-by-name popup (Ctrl+F): a line to type into over the list of the
// hardpoints, each with where it stands, narrowed as one types (any part of
// the name, in any letter case) and ranked by what one means: the name typed
// whole first, then names that begin with it, then names that hold it. Enter
// or a click on a row chooses; Esc, or a click outside, closes it with
// nothing chosen.
class FindDlg : public PointerPopup {
    Q_OBJECT
public:
    struct Entry {
        QString name;
        QString where; // "VL 123,45", "TI 56,38" or "tray"
    };

    explicit FindDlg(const QList<Entry>& entries, QWidget* parent = nullptr);

    // The index of the chosen entry once the popup closed with a choice, else -1.
    int Chosen() const { return m_nChosen; }
    // The indexes of the names that hold text, in any letter case: those equal
    // to it first, then those that begin with it, then the rest, each group
    // in the order given.
    static QList<int> Ranked(const QStringList& names, const QString& text);

    QLineEdit* Filter() const { return m_filter; }
    QTreeWidget* List() const { return m_list; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Narrow(const QString& text);
    void Choose(QTreeWidgetItem* item);

    QLineEdit* m_filter = nullptr;
    QTreeWidget* m_list = nullptr;
    // The rows and their names in the order of the entries.
    QList<QTreeWidgetItem*> m_rows;
    QStringList m_names;
    int m_nChosen = -1;
};

} // namespace pelto5
