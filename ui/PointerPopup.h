#pragma once

#include <QDialog>

namespace pelto5 {

// A small frameless popup that opens at the pointer (the find popup, the
// typed-coordinates popup): in the application's colours and the dialogs'
// font, with an edge in the text colour that sets it off the black window
// under it. Esc, or a click outside, closes it with nothing done.
class PointerPopup : public QDialog {
    Q_OBJECT
public:
    // Puts the popup's top-left at the pointer, moved only as far as it takes
    // to keep the popup wholly within available.
    void PlaceAt(const QPoint& pointer, const QRect& available);
    // The same at the pointer now, within the screen it is on.
    void PlaceAtPointer();

protected:
    explicit PointerPopup(QWidget* parent);

    // The room to leave between the popup's edge and what it holds.
    static constexpr int kMargin = 3;

    void paintEvent(QPaintEvent* event) override;
};

} // namespace pelto5
