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
    explicit SpokenStatus(QWidget* parent);

    // Makes text the status and announces it, even when it is the same text
    // as last time: each result is heard once.
    void Say(const QString& text);
    QString Text() const { return m_text; }

private:
    QString m_text;
};

} // namespace pelto5
