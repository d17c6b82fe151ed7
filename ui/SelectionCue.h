#pragma once

#include <QCoreApplication>
#include <QString>

class QPainter;
class QRect;

namespace pelto5 {

// How a selected marker shows and sounds.
class SelectionCue {
    Q_DECLARE_TR_FUNCTIONS(SelectionCue)
public:
    // A solid frame one pixel inside control's edge, white round black: on
    // every face one of the two stands out at least 3:1, as a focus cue
    // must. The outermost pixels stay the focus outline's.
    static void Draw(QPainter& painter, const QRect& control);
    // A marker's description for screen readers: place, then "one of N
    // selected" when it is one of selected markers (0 when it is not), then
    // "N moved together" when its last move moved movedTogether markers of a
    // selection at once (0 or 1 when it did not).
    static QString Described(const QString& place, int selected, int movedTogether);
};

} // namespace pelto5
