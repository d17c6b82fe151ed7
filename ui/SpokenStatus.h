#pragma once

#include <QString>
#include <QWidget>

namespace pelto5 {

// A status line that only screen readers perceive: an accessible status bar
// whose name is the text said last, so that a result shown only as pixels (a
// save, an undo, a refusal) is heard too. It takes no room and draws nothing.
class SpokenStatus : public QWidget {
    Q_OBJECT
public:
    // first: the status before anything is said, read but not announced.
    explicit SpokenStatus(QWidget* parent, const QString& first = QString());

    // Makes text the status and announces it, even when it is the same text
    // as last time: each result is heard once.
    void Say(const QString& text);
    QString Text() const { return m_text; }

    // Says text through the spoken status of the application's window that
    // has one (the editor's); nothing when none has. It is to a screen
    // reader what QApplication::beep() is to the ear.
    static void Announce(const QString& text);

private:
    QString m_text;
};

} // namespace pelto5
