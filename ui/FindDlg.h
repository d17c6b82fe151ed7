#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace pelto5 {

// The find-by-name popup (Ctrl+F): a line to type into over the list of the
// hardpoints, each with where it stands, narrowed as one types (any part of
// the name, in any letter case). Enter or a click on a row chooses; Esc, or a
// click outside, closes it with nothing chosen. Frameless, in the
// application's colours and the dialogs' font.
class FindDlg : public QDialog {
    Q_OBJECT
public:
    struct Entry {
        QString name;
        QString where; // "VL 123,45", "TI 56,38" or "tray"
    };

    explicit FindDlg(const QList<Entry>& entries, QWidget* parent = nullptr);

    // The index of the chosen entry once the popup closed with a choice, else -1.
    int Chosen() const { return m_nChosen; }
    // Puts the popup's top-left at the pointer, moved only as far as it takes
    // to keep the popup wholly within available.
    void PlaceAt(const QPoint& pointer, const QRect& available);

    QLineEdit* Filter() const { return m_filter; }
    QTreeWidget* List() const { return m_list; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Narrow(const QString& text);
    void Choose(QTreeWidgetItem* item);

    QLineEdit* m_filter = nullptr;
    QTreeWidget* m_list = nullptr;
    int m_nChosen = -1;
};

} // namespace pelto5
