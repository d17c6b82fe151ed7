#pragma once

class QWidget;

namespace pelto5 {

// Once a dialog, message box, menu or popup of the application closes, the
// keyboard focus goes back to the dialog still open beneath it, or to window
// when none is. A window manager mostly does this itself; without one (a bare
// X server) the focus would stay on the root window, and keys would do
// nothing until a click.
void ReturnFocusAfterDialogs(QWidget* window);

} // namespace pelto5
