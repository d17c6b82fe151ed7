#pragma once

namespace pelto5 {

// A write past the file-size limit (ulimit -f) or into a closed pipe fails
// with its error (EFBIG, EPIPE) instead of ending the process, so that a
// save says why it failed and the unsaved moves stay, and a terminal command
// says that its output could not be written. The signals are caught, not
// ignored: a program the editor starts (the browser) gets their defaults.
void TurnWriteSignalsIntoErrors();

} // namespace pelto5
