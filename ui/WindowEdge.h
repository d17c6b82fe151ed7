#pragma once

class QWidget;

namespace pelto5 {

// Draws a one-pixel edge in the text colour round a frameless window, which
// sets its black face off the black editor window beside or under it.
void PaintWindowEdge(QWidget& window);

} // namespace pelto5
