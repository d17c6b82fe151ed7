#include "Startup.h"

#include "CheckCommand.h"
#include "CommandLine.h"
#include "LayoutCommand.h"
#include "Pelto5App.h"
#include "PlatformFailure.h"
#include "PosixFileSystem.h"
#include "ShipPaths.h"
#include "StartUpWarmUp.h"
#include "Terminal.h"
#include "WriteSignals.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <vector>

namespace pelto5 {

namespace {

// --help, --version, a wrong command line and the commands that need no display.
int RunInTerminal(const CommandLine& line) {
    Terminal terminal(stdout, stderr);
    switch (line.action) {
    case CommandLine::Action::Help:
        terminal.Out(HelpText().toStdString());
        return terminal.Finish(0);
    case CommandLine::Action::Version:
        terminal.Out(VersionText().toStdString());
        return terminal.Finish(0);
    case CommandLine::Action::Check:
        return CheckShips(line.paths, RealFileSystem(), terminal);
    case CommandLine::Action::Diff:
        return DiffShips(line.paths[0], line.paths[1], RealFileSystem(), terminal);
    case CommandLine::Action::Layout:
        return PrintLayout(line.paths[0], RealFileSystem(), terminal);
    case CommandLine::Action::Usage:
    case CommandLine::Action::Run:
        break;
    }
    terminal.Err(UsageLine(line.fault).toStdString());
    return terminal.Finish(2);
}

int Print(std::FILE* stream, const QString& text, int status) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    return status;
}

// Qt's messages while the application opens the display are held back: a
// display that cannot be opened, or a platform plugin that is missing, ends
// the start with one line of ours that names which, not with Qt's advice to
// reinstall and an abort. Once the display is open they are passed on as
// they came.
class HeldStartMessages {
public:
    HeldStartMessages() { m_previous = qInstallMessageHandler(&Hold); }
    ~HeldStartMessages() {
        qInstallMessageHandler(m_previous);
        const std::lock_guard<std::mutex> lock(s_mutex);
        for (const Held& m : s_held) {
            const QMessageLogContext context(m.file, m.line, m.function, m.category);
            qt_message_output(m.type, context, m.text);
        }
        s_held.clear();
    }
    HeldStartMessages(const HeldStartMessages&) = delete;
    HeldStartMessages& operator=(const HeldStartMessages&) = delete;

private:
    struct Held {
        QtMsgType type;
        const char* file;
        int line;
        const char* function;
        const char* category;
        QString text;
    };

    // The warm-up threads may speak while the display opens.
    static void Hold(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        const std::lock_guard<std::mutex> lock(s_mutex);
        if (type == QtFatalMsg) {
            // Qt aborts when this returns; nothing of the application is up yet.
            QStringList messages;
            for (const Held& m : s_held)
                messages << m.text;
            messages << text;
            Print(stderr, PlatformFailureLine(messages), 1);
            std::fflush(stderr);
            std::_Exit(1);
        }
        s_held.push_back(
            {type, context.file, context.line, context.function, context.category, text});
    }

    static inline std::mutex s_mutex;
    static inline std::vector<Held> s_held;
    QtMessageHandler m_previous = nullptr;
};

} // namespace

int StartPelto5(int argc, char** argv) {
    TurnWriteSignalsIntoErrors();
    // The arguments as the system gave them: read with one letter per byte,
    // every byte of a name is kept.
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLatin1(argv[i]);
    const CommandLine line = ParseCommandLine(args);
    if (line.action != CommandLine::Action::Run)
        return RunInTerminal(line);
    if (!DisplayNamed())
        return Print(stderr, NoDisplayLine(false), 1);

    // Qt sees the program's name only: the arguments are the editor's, and a
    // ship file named like one of Qt's options stays a ship file.
    int qtArgc = 1;
    std::unique_ptr<Pelto5App> app;
    {
        const StartUpWarmUp warmUp;
        const HeldStartMessages held;
        app = std::make_unique<Pelto5App>(qtArgc, argv);
    }
    const std::string ship = line.shipPath.toLatin1().toStdString();
    // A name that does not exist opens as OPEN opens a typed one: a new ship,
    // which the first save creates. The terminal hears it once.
    bool exists = false, isLink = false;
    mode_t mode = 0;
    if (!ship.empty() && RealFileSystem().Lstat(ship, exists, isLink, mode) == 0 && !exists)
        Terminal(stdout, stderr).Error(ship, "no such ship; the markers stay in the tray");
    // OPEN hands over full paths; so does the command line.
    return app->InitInstance(AbsolutePathBytes(ship));
}

} // namespace pelto5
