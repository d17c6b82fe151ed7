#include "LinuxDesktop.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <cstring>
#include <memory>

namespace pelto5 {

namespace {

struct RunResult {
    enum Kind { FailedToStart, Finished, Crashed, StillRunning } kind = FailedToStart;
    int exitCode = 0;
    QByteArray output;
};

// Runs program without a shell and waits at most waitMs. A program still
// running then is either left to run on (and reaped when it ends) or killed.
RunResult RunBounded(const QString& program, const QStringList& args, int waitMs,
                     bool leaveRunning) {
    auto process = std::make_unique<QProcess>();
    process->setStandardInputFile(QProcess::nullDevice());
    if (leaveRunning)
        process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    process->start(program, args);
    RunResult result;
    if (!process->waitForStarted(waitMs))
        return result;
    if (!process->waitForFinished(waitMs)) {
        result.kind = RunResult::StillRunning;
        QCoreApplication* app = QCoreApplication::instance();
        if (leaveRunning && app) {
            QProcess* running = process.release();
            running->setParent(app);
            QObject::connect(running, &QProcess::finished, running, &QObject::deleteLater);
        } else {
            process->kill();
            process->waitForFinished(waitMs);
        }
        return result;
    }
    result.kind =
        process->exitStatus() == QProcess::NormalExit ? RunResult::Finished : RunResult::Crashed;
    result.exitCode = process->exitCode();
    if (!leaveRunning)
        result.output = process->readAllStandardOutput();
    return result;
}

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

} // namespace

int MapXdgOpenStatus(int exitStatus) {
    switch (exitStatus) {
    case 0:
        return kShellSuccess;
    case 2:
        return kSeErrFnf; // a file named on the command line is missing
    case 3:
        return kSeErrNoAssoc; // no tool or application to open it
    case 4:
        return kSeErrAssocIncomplete; // the handler was found but failed
    case 5:
        return kSeErrAccessDenied; // no permission to read the file
    default:
        return 1; // shown as an unknown error
    }
}

std::optional<std::vector<std::string>> SplitCommandLine(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == ' ' || c == '\t' || c == '\n') {
            if (inWord)
                words.push_back(word);
            word.clear();
            inWord = false;
        } else if (c == '\\') {
            inWord = true;
            if (i + 1 < line.size() && line[i + 1] != '\n')
                word += line[++i];
            else if (i + 1 < line.size())
                ++i; // a backslash before a line feed joins the lines
        } else if (c == '\'') {
            inWord = true;
            const std::size_t end = line.find('\'', i + 1);
            if (end == std::string::npos)
                return std::nullopt;
            word.append(line, i + 1, end - i - 1);
            i = end;
        } else if (c == '"') {
            inWord = true;
            ++i;
            for (;; ++i) {
                if (i >= line.size())
                    return std::nullopt;
                if (line[i] == '"')
                    break;
                if (line[i] == '\\' && i + 1 < line.size() &&
                    std::string("\"\\$`").find(line[i + 1]) != std::string::npos)
                    ++i;
                word += line[i];
            }
        } else {
            inWord = true;
            word += c;
        }
    }
    if (inWord)
        words.push_back(word);
    return words;
}

std::string ExecToCommandTemplate(const std::string& exec) {
    // First the string escapes of a desktop file value.
    std::string value;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        if (exec[i] == '\\' && i + 1 < exec.size()) {
            const char next = exec[++i];
            switch (next) {
            case 's':
                value += ' ';
                break;
            case 'n':
                value += '\n';
                break;
            case 't':
                value += '\t';
                break;
            case 'r':
                value += '\r';
                break;
            default:
                value += '\\';
                value += next;
                break; // quoting escapes stay for the split
            }
        } else {
            value += exec[i];
        }
    }
    // Then the field codes.
    std::string result;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '%') {
            result += value[i];
            continue;
        }
        if (i + 1 >= value.size())
            break;
        const char code = value[++i];
        if (code == 'u' || code == 'U' || code == 'f' || code == 'F')
            result += "%1";
        else if (code == '%')
            result += '%';
    }
    return result;
}

std::optional<std::string> DesktopFileExec(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    bool inEntry = false;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (line.startsWith('[')) {
            inEntry = line == "[Desktop Entry]";
            continue;
        }
        if (!inEntry)
            continue;
        const int eq = line.indexOf('=');
        if (eq > 0 && line.left(eq).trimmed() == "Exec")
            return line.mid(eq + 1).trimmed().toStdString();
    }
    return std::nullopt;
}

QString FindDesktopFile(const QString& id) {
    if (id.isEmpty() || id.contains(QLatin1Char('/')) || id.startsWith(QLatin1Char('.')))
        return {};
    for (const QString& dir :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        const QString base = dir + QStringLiteral("/applications/");
        // An id "a-b.desktop" may also lie at "a/b.desktop".
        QString relative = id;
        for (;;) {
            const QFileInfo info(base + relative);
            if (info.isFile())
                return info.filePath();
            const int dash = relative.indexOf(QLatin1Char('-'));
            if (dash < 0)
                break;
            relative[dash] = QLatin1Char('/');
        }
    }
    return {};
}

int LinuxDesktop::ShellOpen(const std::string& target, int /*showCommand*/) {
    const RunResult run =
        RunBounded(QStringLiteral("xdg-open"), {QString::fromStdString(target)}, m_nWaitMs, true);
    switch (run.kind) {
    case RunResult::FailedToStart:
        return kSeErrNoAssoc;
    case RunResult::StillRunning:
        return kShellSuccess; // it has a handler going
    case RunResult::Crashed:
        return 1;
    case RunResult::Finished:
        break;
    }
    return MapXdgOpenStatus(run.exitCode);
}

KeyRead LinuxDesktop::ReadKey(const std::string& subKey) {
    KeyRead read;
    if (subKey == kHtmKey) {
        const RunResult run = RunBounded(
            QStringLiteral("xdg-mime"),
            {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/html")},
            m_nWaitMs, false);
        if (run.kind != RunResult::Finished || run.exitCode != 0)
            return read;
        const QByteArray name = run.output.split('\n').value(0).trimmed();
        if (name.isEmpty())
            return read;
        read.status = kErrorSuccess;
        read.value = name.toStdString();
        return read;
    }
    if (EndsWith(subKey, kCommandSuffix)) {
        const std::string entry = subKey.substr(0, subKey.size() - std::strlen(kCommandSuffix));
        const QString path = FindDesktopFile(QString::fromStdString(entry));
        if (path.isEmpty())
            return read;
        // The entry exists: the key opens even if it has no usable Exec line.
        read.status = kErrorSuccess;
        if (const std::optional<std::string> exec = DesktopFileExec(path))
            read.value = ExecToCommandTemplate(*exec);
    }
    return read;
}

int LinuxDesktop::StartCommand(const std::string& commandLine, int /*showCommand*/) {
    const std::optional<std::vector<std::string>> words = SplitCommandLine(commandLine);
    if (!words)
        return kErrBadFormat;
    if (words->empty())
        return kSeErrFnf;
    const QString program = QString::fromStdString(words->front());
    QString resolved;
    if (program.contains(QLatin1Char('/'))) {
        // A program named relative to the working folder is never run: an Exec
        // line that is missing leaves the address alone as the command.
        if (!program.startsWith(QLatin1Char('/')))
            return kSeErrFnf;
        const QFileInfo info(program);
        if (!info.exists())
            return info.dir().exists() ? kSeErrFnf : kSeErrPnf;
        resolved = info.absoluteFilePath();
    } else {
        resolved = QStandardPaths::findExecutable(program);
        if (resolved.isEmpty())
            return kSeErrFnf;
    }
    const QFileInfo info(resolved);
    if (info.isDir() || !info.isExecutable())
        return kSeErrAccessDenied;
    QStringList args;
    for (std::size_t i = 1; i < words->size(); ++i)
        args << QString::fromStdString((*words)[i]);
    return QProcess::startDetached(resolved, args) ? kShellSuccess : kErrBadFormat;
}

} // namespace pelto5
