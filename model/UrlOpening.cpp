#include "UrlOpening.h"

#include <cstdint>

namespace pelto5 {

long ReadKeyDefault(UrlSystem& system, const std::string& subKey, std::string& output) {
    // The key is read before output is written, so output may be subKey itself.
    KeyRead read = system.ReadKey(subKey);
    if (read.status == kErrorSuccess) {
        if (read.value && read.value->size() < kValueBufferSize)
            output = *read.value;
        else
            output.clear();
    }
    return read.status;
}

std::optional<std::string> BuildFallbackCommand(const std::string& commandTemplate,
                                                const std::string& target) {
    std::string command = commandTemplate;
    // UTF-8 never has an ASCII byte inside a multi-byte character, so a byte
    // search already respects character boundaries.
    std::size_t at = command.find("\"%1\"");
    if (at == std::string::npos)
        at = command.find("%1");
    if (at != std::string::npos)
        command.erase(at);
    // The target goes in unquoted, after one more blank.
    if (command.size() + 1 + target.size() + 1 > kCommandBufferSize)
        return std::nullopt;
    command += ' ';
    command += target;
    return command;
}

int OpenUrl(UrlSystem& system, const std::string& target, int showCommand) {
    const int result = system.ShellOpen(target, showCommand);
    if (static_cast<std::uint32_t>(result) > 32)
        return result;

    std::string buffer;
    if (ReadKeyDefault(system, kHtmKey, buffer) != kErrorSuccess)
        return result;
    buffer += kCommandSuffix;
    if (ReadKeyDefault(system, buffer, buffer) != kErrorSuccess)
        return result;

    const std::optional<std::string> command = BuildFallbackCommand(buffer, target);
    if (!command)
        return kSeErrOom;
    return system.StartCommand(*command, showCommand);
}

namespace {

// Nothing wired in: no handler for any link.
class NoUrlSystem final : public UrlSystem {
public:
    int ShellOpen(const std::string&, int) override { return kSeErrNoAssoc; }
    KeyRead ReadKey(const std::string&) override { return {}; }
    int StartCommand(const std::string&, int) override { return kSeErrNoAssoc; }
};

UrlSystem*& WiredUrlSystem() {
    static UrlSystem* wired = nullptr;
    return wired;
}

} // namespace

UrlSystem& DefaultUrlSystem() {
    static NoUrlSystem none;
    UrlSystem* wired = WiredUrlSystem();
    return wired ? *wired : none;
}

void SetDefaultUrlSystem(UrlSystem* system) {
    WiredUrlSystem() = system;
}

} // namespace pelto5
