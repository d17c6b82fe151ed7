#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QFileDialog;
class QWidget;

namespace pelto5 {

// The editor's own questions and messages, as it asks them when no test
// answers in its place.

// Asks for a ship file to open, starting at initial; empty when cancelled.
QString AskShipFile(QWidget* parent, const QString& initial);
// Ctrl+D's dialog: in the folder of the ship at shipPath, the ship files and
// their numbered backups, newest first.
std::unique_ptr<QFileDialog> MakeCompareDialog(QWidget* parent, const QString& shipPath);
// Asks for a file to compare the ship at shipPath with; empty when cancelled.
QString AskComparedFile(QWidget* parent, const QString& shipPath);
// Shows a failure.
void ShowFailureBox(QWidget* parent, const QString& text);
// Asks text with answers, the first the default and the last the cancel;
// returns the chosen answer's index, the last one's when the box is closed.
int AskQuestion(QWidget* parent, const QString& text, const QStringList& answers);

} // namespace pelto5
