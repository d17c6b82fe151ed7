#pragma once

namespace pelto5 {

// Screen readers hear a BitmapButton as a push button, named by its
// accessible name or else its caption; a selectable one (a marker) can be
// selected, and has the state "selected" while it is. Installed once for the
// application, before the first button is made: Qt keeps the description it
// makes for a control while the control is being built.
void InstallBitmapButtonAccessible();

} // namespace pelto5
