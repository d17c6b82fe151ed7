#pragma once

namespace pelto5 {

// Screen readers hear a selectable BitmapButton (a marker) as a push button
// that can be selected, with the state "selected" while it is; every other
// button keeps Qt's own description. Installs that once for the application.
void InstallSelectableButtonAccessible();

} // namespace pelto5
