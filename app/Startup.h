#pragma once

namespace pelto5 {

// The process from its command line to the end of the editor's run: answers
// --help, --version and a wrong option without a display, refuses a start
// without one in a single line, and otherwise runs the editor, opening the
// ship named on the command line. Returns the exit status.
int StartPelto5(int argc, char** argv);

} // namespace pelto5
