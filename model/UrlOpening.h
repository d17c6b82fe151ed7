#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace pelto5 {

// Results follow the shell's convention: above 32 is success, 0..32 are failure codes.
constexpr int kShellSuccess = 33;
constexpr int kSwShow = 5;

// The failure codes of the shell's open and of starting a command line that
// this system gives itself; the link shows a text for each.
constexpr int kSeErrFnf = 2, kSeErrPnf = 3, kSeErrAccessDenied = 5, kSeErrOom = 8;
constexpr int kErrBadFormat = 11, kSeErrAssocIncomplete = 27, kSeErrNoAssoc = 31;

// Registry status values.
constexpr long kErrorSuccess = 0;
constexpr long kErrorFileNotFound = 2;

// The fallback command line, its terminator included, fits in this many bytes.
constexpr std::size_t kCommandBufferSize = 520;
// A key's default value, its terminator included, fits in this many bytes.
constexpr std::size_t kValueBufferSize = 260;

// The keys OpenUrl reads: the HTML file type's handler, and that handler's
// open command under it.
inline constexpr char kHtmKey[] = ".htm";
inline constexpr char kCommandSuffix[] = "\\shell\\open\\command";

// What reading a key gives: the status of opening it and, when the key opened
// and its default value could be read as text, that value.
struct KeyRead {
    long status = kErrorFileNotFound;
    std::optional<std::string> value;
};

// The three system operations that opening a link needs; everything else in
// OpenUrl is string work, so tests put a fake here.
class UrlSystem {
public:
    virtual ~UrlSystem() = default;
    // The shell's "open" of target; a result code.
    virtual int ShellOpen(const std::string& target, int showCommand) = 0;
    // Opens the file-type key subKey (".htm", or a type's open command) and
    // reads its default value.
    virtual KeyRead ReadKey(const std::string& subKey) = 0;
    // Starts a command line; a result code (above 31 on success).
    virtual int StartCommand(const std::string& commandLine, int showCommand) = 0;
};

// Opens target through the shell, falling back to the HTML handler's command.
int OpenUrl(UrlSystem& system, const std::string& target, int showCommand);

// Reads subKey's default value into output (may alias subKey) and returns
// the status of opening the key. A value that can't be read leaves output empty.
long ReadKeyDefault(UrlSystem& system, const std::string& subKey, std::string& output);

// The fallback's template with the target put in place of its placeholder;
// nullopt when the command line would not fit the command buffer.
std::optional<std::string> BuildFallbackCommand(const std::string& commandTemplate,
                                                const std::string& target);

// The system that clicks on links use when none was set for the link: the one
// the application wires in (the desktop's), or, before that, one that opens nothing.
UrlSystem& DefaultUrlSystem();
// Wires system in as the default (null takes it out again).
void SetDefaultUrlSystem(UrlSystem* system);

} // namespace pelto5
