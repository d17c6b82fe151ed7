#include "AboutDlg.h"

#include "DialogFont.h"
#include "DialogUnits.h"
#include "Resources.h"

#include <QLabel>
#include <QPushButton>

namespace pelto5 {

AboutDlg::AboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString());
    setFont(DialogFont());
    setFixedSize(DialogUnitsRect(0, 0, 235, 55).size());

    auto* icon = new QLabel(this);
    icon->setGeometry(DialogUnitsRect(11, 17, 21, 20));
    icon->setPixmap(ResourceIcon(128).pixmap(32, 32));
    icon->setObjectName(QStringLiteral("icon"));

    auto* version = new QLabel(QStringLiteral("Pelto5 Version 1.0"), this);
    version->setGeometry(DialogUnitsRect(40, 10, 119, 8));
    version->setTextFormat(Qt::PlainText);
    version->setObjectName(QStringLiteral("version"));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setGeometry(DialogUnitsRect(178, 7, 50, 14));
    ok->setDefault(true);
    ok->setObjectName(QStringLiteral("ok"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace pelto5
