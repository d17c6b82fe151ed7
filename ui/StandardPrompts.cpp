#include "StandardPrompts.h"

#include "FailureMessage.h"
#include "SpokenStatus.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeView>

namespace pelto5 {

namespace {

// The file dialog's column of the files' last changes.
constexpr int kModifiedColumn = 3;

} // namespace

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
        SpokenStatus::Announce(QCoreApplication::translate("StandardPrompts", "Could not open %1")
                                   .arg(QFileInfo(named).fileName()));
        ShowFailureBox(parent, QCoreApplication::translate(
                                   "StandardPrompts", "Could not open %1: there is no such ship "
                                                      "file, and a new ship's name cannot hold a "
                                                      "double quote (\").")
                                   .arg(named));
        return {};
    }
    return named;
}

std::unique_ptr<QFileDialog> MakeCompareDialog(QWidget* parent, const QString& shipPath) {
    // A backup is the stem, ".0" and at least two digits: Frigate.001, .010, .0100.
    const QString shipsAndBackups =
        QCoreApplication::translate("ComparePrompt", "Ship files and backups (%1)")
            .arg(QStringLiteral("*.gf *.0[0-9][0-9] *.0[0-9][0-9][0-9] *.0[0-9][0-9][0-9][0-9]"));
    auto dialog = std::make_unique<QFileDialog>(
        parent, QCoreApplication::translate("ComparePrompt", "Compare with"),
        QFileInfo(shipPath).absolutePath(),
        shipsAndBackups + QStringLiteral(";;") +
            QCoreApplication::translate("ComparePrompt", "All files (*)"));
    // Qt's own dialog, as OPEN's: a desktop's dialog would keep a list of recent files.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setOption(QFileDialog::HideNameFilterDetails);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    // Newest first: each save's backup is newer than the one before it, and
    // the ship file newest of all.
    if (auto* details = dialog->findChild<QTreeView*>(QStringLiteral("treeView")))
        details->sortByColumn(kModifiedColumn, Qt::DescendingOrder);
    return dialog;
}

QString AskComparedFile(QWidget* parent, const QString& shipPath) {
    const std::unique_ptr<QFileDialog> dialog = MakeCompareDialog(parent, shipPath);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().size() != 1)
        return {};
    return dialog->selectedFiles().first();
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
