#include "AboutDlg.h"

#include "DialogFont.h"
#include "DialogUnits.h"
#include "ResourceIds.h"
#include "Resources.h"

#include <QLabel>
#include <QPushButton>

namespace pelto5 {

AboutDlg::AboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString());
    setAccessibleName(tr("About Pelto5"));
    setFont(DialogFont());
    // The box grows downward by a line for each key line beyond the first three.
    const QStringList keys = KeyLines();
    setFixedSize(DialogUnitsRect(0, 0, 235, 55 + 8 * (static_cast<int>(keys.size()) - 3)).size());

    auto* icon = new QLabel(this);
    icon->setGeometry(DialogUnitsRect(11, 17, 21, 20));
    icon->setPixmap(ResourceIcon(kMainIcon).pixmap(32, 32));
    icon->setObjectName(QStringLiteral("icon"));

    auto* version = new QLabel(tr("Pelto5 Version 1.0"), this);
    version->setGeometry(DialogUnitsRect(40, 10, 119, 8));
    version->setTextFormat(Qt::PlainText);
    version->setObjectName(QStringLiteral("version"));

    // The keys beyond the mouse, where a user looks for what a program can do.
    for (int k = 0; k < keys.size(); ++k) {
        auto* line = new QLabel(keys[k], this);
        line->setGeometry(DialogUnitsRect(40, 22 + 8 * k, 188, 8));
        line->setTextFormat(Qt::PlainText);
        line->setObjectName(QStringLiteral("keys"));
    }

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setGeometry(DialogUnitsRect(178, 7, 50, 14));
    ok->setDefault(true);
    ok->setObjectName(QStringLiteral("ok"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

QStringList AboutDlg::KeyLines() {
    return {tr("Ctrl+Z undo, Ctrl+Y or Ctrl+Shift+Z redo, Ctrl+S save."),
            tr("Arrows nudge the last marker (Shift: by 8). Ctrl+O open."),
            tr("Ctrl+F find by name; M, Shift+M mirror."),
            tr("F1 this box. Tab, Shift+Tab move the focus; Space presses."),
            tr("Ctrl+click selects; Ctrl+A all on the picture; Ctrl+Shift+A none."),
            tr("Selected markers move together: the arrows, or a click carries all."),
            tr("Ctrl+D compare with a backup; R on a change puts it back."),
            tr("L magnifier; G place at typed x, y, or move a selection by dx, dy."),
            tr("In a terminal: pelto5 --check PATH, --diff OLD NEW, --layout FILE.")};
}

} // namespace pelto5
