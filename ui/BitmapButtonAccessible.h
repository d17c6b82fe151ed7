#pragma once

#include <QAccessibleWidget>

namespace pelto5 {

class BitmapButton;

// What screen readers hear of a BitmapButton: a push button named by its
// accessible name or else its caption, pressed while held down; a selectable
// one (a marker) can be selected, and has the state "selected" while it is.
// Qt's own push button description has no selection.
class BitmapButtonAccessible : public QAccessibleWidget {
public:
    explicit BitmapButtonAccessible(BitmapButton* button);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& action) override;

private:
    BitmapButton* Button() const;
};

} // namespace pelto5
