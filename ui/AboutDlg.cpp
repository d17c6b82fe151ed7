#include "AboutDlg.h"

#include "DialogFont.h"
#include "DialogUnits.h"
#include "ResourceIds.h"
#include "Resources.h"

#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace pelto5 {

namespace {

// In dialog units: the template's height, and the key lines under the version line.
constexpr int kTemplateHeight = 55;
constexpr int kFirstKeyLineTop = 22;
constexpr int kKeyLineHeight = 8;
constexpr int kMarginUnderKeys = 9;

} // namespace

AboutDlg::AboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString());
    setFont(DialogFont());
    // The keys beyond the mouse, where a user looks for what a program can do.
    const QStringList keys = KeyLines();
    // The box grows downward with the key lines, keeping the margin under
    // the last one; the template's controls keep their places.
    const int lines = static_cast<int>(keys.size());
    const int height =
        std::max(kTemplateHeight, kFirstKeyLineTop + kKeyLineHeight * lines + kMarginUnderKeys);
    setFixedSize(DialogUnitsRect(0, 0, 235, height).size());

    auto* icon = new QLabel(this);
    icon->setGeometry(DialogUnitsRect(11, 17, 21, 20));
    icon->setPixmap(ResourceIcon(kMainIcon).pixmap(32, 32));
    icon->setObjectName(QStringLiteral("icon"));

    auto* version = new QLabel(QStringLiteral("Pelto5 Version 1.0"), this);
    version->setGeometry(DialogUnitsRect(40, 10, 119, 8));
    version->setTextFormat(Qt::PlainText);
    version->setObjectName(QStringLiteral("version"));

    for (int k = 0; k < keys.size(); ++k) {
        auto* line = new QLabel(keys[k], this);
        line->setGeometry(
            DialogUnitsRect(40, kFirstKeyLineTop + kKeyLineHeight * k, 188, kKeyLineHeight));
        line->setTextFormat(Qt::PlainText);
        line->setObjectName(QStringLiteral("keys"));
    }

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setGeometry(DialogUnitsRect(178, 7, 50, 14));
    ok->setDefault(true);
    ok->setObjectName(QStringLiteral("ok"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

QStringList AboutDlg::KeyLines() {
    return {QStringLiteral("Ctrl+Z undo, Ctrl+Y or Ctrl+Shift+Z redo, Ctrl+S save."),
            QStringLiteral("Arrows nudge the last marker (Shift: by 8). Ctrl+O open."),
            QStringLiteral("Ctrl+F find by name; M, Shift+M mirror; pelto5 --check PATH."),
            tr("Ctrl+D compare with a backup; R on a change puts it back.")};
}

} // namespace pelto5
