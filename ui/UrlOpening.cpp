#include "UrlOpening.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdint>
#include <utility>

namespace pelto5 {

namespace {

OpenErrorPresenter& Presenter() {
    static OpenErrorPresenter presenter;
    return presenter;
}

void ShowInMessageBox(const QString& text) {
    QMessageBox box(QMessageBox::Warning, QGuiApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

} // namespace

long ReadKeyDefault(UrlSystem& system, RegistryRoot root, const std::string& subKey,
                    std::string& output) {
    // The key is read before output is written, so output may be subKey itself.
    KeyRead read = system.ReadKey(root, subKey);
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
    if (ReadKeyDefault(system, RegistryRoot::ClassesRoot, kHtmKey, buffer) != kErrorSuccess)
        return result;
    buffer += kCommandSuffix;
    if (ReadKeyDefault(system, RegistryRoot::ClassesRoot, buffer, buffer) != kErrorSuccess)
        return result;

    const std::optional<std::string> command = BuildFallbackCommand(buffer, target);
    if (!command)
        return kSeErrOom;
    return system.StartCommand(*command, showCommand);
}

QString OpenErrorText(int code) {
    const char* text = nullptr;
    switch (static_cast<std::uint32_t>(code)) {
    case 0:
        text = "The operating system is out\nof memory or resources.";
        break;
    case 2:
        text = "The specified file was not found.";
        break;
    case 3:
        text = "The specified path was not found.";
        break;
    case 5:
        text = "The operating system denied\naccess to the specified file.";
        break;
    case 8:
        text = "There was not enough memory to complete the operation.";
        break;
    case 11:
        text = "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
        break;
    case 26:
        text = "A sharing violation occurred. ";
        break;
    case 27:
        text = "The filename association is\nincomplete or invalid.";
        break;
    case 28:
        text = "The DDE transaction could not\nbe completed because the request timed out.";
        break;
    case 29:
        text = "The DDE transaction failed.";
        break;
    case 30:
        text = "The DDE transaction could not\nbe completed because other DDE transactions\n"
               "were being processed.";
        break;
    case 31:
        text = "There is no application associated\nwith the given filename extension.";
        break;
    case 32:
        text = "The specified dynamic-link library was not found.";
        break;
    default:
        break;
    }
    const QString body =
        text ? QString::fromLatin1(text) : QStringLiteral("Unknown Error (%1) occurred.").arg(code);
    return QStringLiteral("Unable to open hyperlink:\n\n") + body;
}

void ShowOpenError(int code) {
    const QString text = OpenErrorText(code);
    if (Presenter())
        Presenter()(text);
    else
        ShowInMessageBox(text);
}

OpenErrorPresenter SetOpenErrorPresenter(OpenErrorPresenter presenter) {
    return std::exchange(Presenter(), std::move(presenter));
}

namespace {

// Nothing wired in: no handler for any link.
class NoUrlSystem final : public UrlSystem {
public:
    int ShellOpen(const std::string&, int) override { return kSeErrNoAssoc; }
    KeyRead ReadKey(RegistryRoot, const std::string&) override { return {}; }
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
