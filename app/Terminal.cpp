#include "Terminal.h"

#include "FileSystem.h"

#include <cerrno>
#include <cstring>

namespace pelto5 {

namespace {

// The length of the valid UTF-8 sequence at text[at], or 0 when none starts there.
std::size_t Utf8Length(std::string_view text, std::size_t at) {
    const auto byte = [&text](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(at);
    std::size_t length;
    unsigned char low = 0x80, high = 0xBF; // the second byte's range
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0; // no overlong forms
        else if (lead == 0xED)
            high = 0x9F; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F; // nothing past U+10FFFF
    } else {
        return 0;
    }
    if (at + length > text.size() || byte(at + 1) < low || byte(at + 1) > high)
        return 0;
    for (std::size_t k = 2; k < length; ++k)
        if (byte(at + k) < 0x80 || byte(at + k) > 0xBF)
            return 0;
    // U+0080..U+009F, the C1 controls, begin with C2 80..9F.
    if (lead == 0xC2 && byte(at + 1) <= 0x9F)
        return 0;
    return length;
}

void AppendOctal(std::string& out, unsigned char c) {
    out += '\\';
    out += static_cast<char>('0' + (c >> 6));
    out += static_cast<char>('0' + ((c >> 3) & 7));
    out += static_cast<char>('0' + (c & 7));
}

} // namespace

std::string Escaped(std::string_view text) {
    static constexpr std::string_view kControls = "\a\b\t\n\v\f\r";
    static constexpr std::string_view kLetters = "abtnvfr";
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[at]);
        if (c == '\\') {
            out += "\\\\";
            ++at;
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
            ++at;
        } else if (const std::size_t n = c >= 0x80 ? Utf8Length(text, at) : 0) {
            out.append(text.substr(at, n));
            at += n;
        } else if (const std::size_t k = kControls.find(static_cast<char>(c));
                   c != 0 && k != std::string_view::npos) {
            out += '\\';
            out += kLetters[k];
            ++at;
        } else {
            AppendOctal(out, c);
            ++at;
        }
    }
    return out;
}

std::string Plural(std::size_t n, const char* word) {
    return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

std::string ReadFailure(int err) {
    switch (err) {
    case ENOENT:
        return "no such file or folder";
    case EISDIR:
        return "a folder, not a ship file";
    case ENODEV:
        return "not a regular file (a pipe, a device or a socket), so no ship file";
    case EFBIG:
        return "larger than " + std::to_string(kMaxFileBytes >> 20) +
               " MiB, far too large for a ship file";
    default:
        return std::strerror(err);
    }
}

void Terminal::Out(std::string_view text) {
    errno = 0;
    if (!m_writeError && std::fwrite(text.data(), 1, text.size(), m_out) != text.size())
        m_writeError = errno ? errno : EIO;
}

void Terminal::Err(std::string_view text) {
    // Standard output is buffered and standard error is not: what is
    // pending goes first, so that one pipe gets the lines in their order.
    FlushOut();
    Say(text);
}

void Terminal::Error(std::string_view path, std::string_view reason) {
    Err("pelto5: " + Escaped(path) + ": " + std::string(reason) + "\n");
}

int Terminal::Finish(int status) {
    FlushOut();
    if (!m_writeError)
        return status;
    Say(std::string("pelto5: cannot write the output: ") + std::strerror(m_writeError) + "\n");
    return 2;
}

void Terminal::FlushOut() {
    errno = 0;
    if (!m_writeError && std::fflush(m_out) != 0)
        m_writeError = errno ? errno : EIO;
}

void Terminal::Say(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), m_err);
    std::fflush(m_err);
}

} // namespace pelto5
