#pragma once

namespace pelto5 {

class BitmapButton;

// Names a command button by the word on its face (SAVE, STICKY LOW, ...) and
// describes what it does, for screen readers; again whenever its face changes
// (COPY turns into PASTE, the snap button cycles its setting).
void NameByFace(BitmapButton* button);

} // namespace pelto5
