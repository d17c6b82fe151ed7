#include "StandardPrompts.h"

#include "FailureMessage.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace pelto5 {

void ShowFailureBox(QWidget* parent, const QString& text) {
    MakeFailureBox(parent, text)->exec();
}

QString AskShipFile(QWidget* parent, const QString& initial) {
    // Qt's own dialog: a desktop's dialog would keep a list of recent files.
    QFileDialog dialog(parent, QString(), initial,
                       QCoreApplication::translate("StandardPrompts", "Ship Files (*.gf)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile); // a name that does not exist yet is accepted
    dialog.setDefaultSuffix(QStringLiteral("gf"));
    if (!initial.isEmpty())
        dialog.selectFile(initial);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    // The dialog reads double quotes as a list of names; a typed name with
    // one is taken as it stands, and only when that file exists.
    const auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    const QString typed = edit ? edit->text() : QString();
    if (!typed.contains(QLatin1Char('"')))
        return dialog.selectedFiles().size() == 1 ? dialog.selectedFiles().first() : QString();
    const QString named = dialog.directory().absoluteFilePath(typed);
    if (!QFileInfo::exists(named)) {
        ShowFailureBox(parent, QCoreApplication::translate(
                                   "StandardPrompts", "Could not open %1: there is no such ship "
                                                      "file, and a new ship's name cannot hold a "
                                                      "double quote (\").")
                                   .arg(named));
        return {};
    }
    return named;
}

int AskQuestion(QWidget* parent, const QString& text, const QStringList& answers) {
    QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), text,
                    QMessageBox::NoButton, parent);
    QList<QAbstractButton*> buttons;
    for (qsizetype k = 0; k < answers.size(); ++k) {
        const bool last = k + 1 == answers.size();
        buttons << box.addButton(answers[k], k == 0 ? QMessageBox::AcceptRole
                                             : last ? QMessageBox::RejectRole
                                                    : QMessageBox::DestructiveRole);
    }
    box.setDefaultButton(qobject_cast<QPushButton*>(buttons.first()));
    box.setEscapeButton(buttons.last());
    box.exec();
    const qsizetype chosen = buttons.indexOf(box.clickedButton());
    return static_cast<int>(chosen < 0 ? answers.size() - 1 : chosen);
}

} // namespace pelto5
