#pragma once

#include <QDialog>

namespace pelto5 {

// The about box: the icon, the version line and OK, in the application's colours.
class AboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit AboutDlg(QWidget* parent = nullptr);
};

} // namespace pelto5
