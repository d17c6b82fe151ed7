#pragma once

#include "Geometry.h"
#include "PointerPopup.h"

#include <QSize>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QLabel;
class QLineEdit;

namespace pelto5 {

struct PictureLayout;

// The typed-coordinates popup (G): one line holding a point as "x, y" (or,
// for a selection, an offset "dx, dy"), selected so that typing replaces it,
// over a short line that says what to type. Enter reads the line: a point it
// names is acted on and the popup closes; anything else keeps it open, says
// why on the short line, and does nothing. Esc, or a click outside, closes it
// with nothing done.
class CoordinatesDlg : public PointerPopup {
    Q_OBJECT
public:
    // What a typed line names: a point, or why it names none (one short line).
    struct Reading {
        std::optional<Point> point;
        QString refusal;
    };
    using Reader = std::function<Reading(const QString& line)>;
    using Action = std::function<void(const Point& point)>;

    // prefill: the line as it opens; hint: the short line until a refusal;
    // read: what a line names; act: what Enter does with the point named.
    CoordinatesDlg(const QString& prefill, const QString& hint, Reader read, Action act,
                   QWidget* parent = nullptr);

    // A hardpoint's file point, "x, y", for its marker of markerSize on
    // picture: two whole numbers, each in the range a ship file holds and
    // the marker can stand at.
    static Reading ReadFilePoint(const QString& line, const PictureLayout& picture,
                                 const QSize& markerSize);

    // A marker as an offset finds it: its file point, its picture, its size.
    struct Standing {
        Point file;
        const PictureLayout* picture;
        QSize size;
    };
    // An offset "dx, dy" for markers: two whole numbers a ship file holds
    // that move each marker to a file point ReadFilePoint would take.
    static Reading ReadOffset(const QString& line, const std::vector<Standing>& markers);

    QLineEdit* Line() const { return m_line; }
    QLabel* Note() const { return m_note; }

private:
    void Enter();
    // The two whole numbers of a line "a, b" (or "a b"), each within 32
    // bits; shapeRefusal for a line of another shape.
    static Reading ReadTwoNumbers(const QString& line, const QString& shapeRefusal);
    // Whether a marker of markerSize on picture can stand at file point (x, y).
    static bool Holds(const PictureLayout& picture, const QSize& markerSize, int64_t x, int64_t y);
    // The refusal of a point or offset beyond the file's range.
    static QString Beyond();

    QLineEdit* m_line = nullptr;
    QLabel* m_note = nullptr;
    Reader m_read;
    Action m_act;
};

} // namespace pelto5
