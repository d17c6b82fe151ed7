#pragma once

#include <QDialog>

namespace pelto5 {

// The about box: the icon, the version line, the keys and OK, in the
// application's colours.
class AboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit AboutDlg(QWidget* parent = nullptr);

    // The lines under the version that name the keys, one to a line.
    static QStringList KeyLines();
};

} // namespace pelto5
