#pragma once

class QWidget;

namespace pelto5 {

// The focus outline shows only to keyboard users: from the moment Tab or
// Shift+Tab moves the focus in a window until the next mouse press in it,
// as the design's platform hides its keyboard cues until the keyboard is used.

// Starts following window's Tab and Shift+Tab keys and mouse presses.
void TrackKeyboardCues(QWidget* window);
// Whether control's window shows its keyboard cues now.
bool KeyboardCuesShown(const QWidget* control);

} // namespace pelto5
