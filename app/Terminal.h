#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace pelto5 {

// Text from outside (a file name, a line of a file) as one line of terminal
// output: valid UTF-8 stays as it is; a backslash becomes \\, the controls
// BEL BS TAB LF VT FF CR become \a \b \t \n \v \f \r, and every other
// control character (C0, DEL, C1) and every byte that is not part of valid
// UTF-8 becomes \ooo, its value in three octal digits, as GNU ls
// --quoting-style=escape writes names (spaces stay). So no name can end a
// line or reach the terminal as a control sequence.
std::string Escaped(std::string_view text);

// "1 ship", "2 ships".
std::string Plural(std::size_t n, const char* word);

// Why a file could not be read, for a line on standard error.
std::string ReadFailure(int err);

// A terminal command's two streams. Lines come out in the order they were
// given, also when both streams go to one pipe; a write that fails on
// standard output (a full disk, a closed pipe) is said on standard error
// and ends the command with status 2.
class Terminal {
public:
    Terminal(std::FILE* out, std::FILE* err) : m_out(out), m_err(err) {}

    // Writes text to standard output as it stands.
    void Out(std::string_view text);
    // "pelto5: PATH: reason" on standard error, the path escaped.
    void Error(std::string_view path, std::string_view reason);
    // Writes text to standard error as it stands, after everything before it.
    void Err(std::string_view text);
    // The exit status: status, or 2 when standard output could not be written.
    int Finish(int status);

private:
    void FlushOut();
    // Writes to standard error only.
    void Say(std::string_view text);

    std::FILE* m_out;
    std::FILE* m_err;
    int m_writeError = 0;
};

} // namespace pelto5
