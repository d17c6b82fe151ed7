#include "FailureMessage.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMessageBox>
#include <QStringList>

namespace pelto5 {

QString ElideLongWords(const QString& text, const QFontMetrics& metrics, int maxWidth) {
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        QStringList words = line.split(QLatin1Char(' '));
        for (QString& word : words)
            if (metrics.horizontalAdvance(word) > maxWidth)
                word = metrics.elidedText(word, Qt::ElideMiddle, maxWidth);
        line = words.join(QLatin1Char(' '));
    }
    return lines.join(QLatin1Char('\n'));
}

std::unique_ptr<QMessageBox> MakeFailureBox(QWidget* parent, const QString& text) {
    auto box =
        std::make_unique<QMessageBox>(QMessageBox::Warning, QApplication::applicationDisplayName(),
                                      QString(), QMessageBox::Ok, parent);
    // A path may hold '<' and '&': the message is never read as markup.
    box->setTextFormat(Qt::PlainText);
    box->setText(ElideLongWords(text, box->fontMetrics(), kMessageWordWidth));
    return box;
}

} // namespace pelto5
