// Peak resident memory beside the ship's size, for the largest ships there
// are (64 MiB): one of ordinary lines and one of empty lines, 67 million of
// them. For `pelto5 --check` (the real program, its peak as the system
// counts it) and for the editor window opening the ship (in this process,
// its peak counted from just before the open). The floor of each is the same
// with a ship of a few lines; per MiB is what each MiB of ship adds to it.
#include "Pelto5Dlg.h"
#include "PosixFileSystem.h"

#include <QApplication>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <malloc.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

using namespace pelto5;

constexpr std::size_t kShipBytes = std::size_t{64} << 20;

struct Ship {
    const char* what;
    std::string path;
    double mib = 0;
};

// A ship of head, then line repeated until the file holds kShipBytes.
void WriteShip(Ship& ship, const std::string& head, const std::string& line) {
    std::ofstream out(ship.path, std::ios::binary);
    out << head;
    std::size_t size = head.size();
    for (; !line.empty() && size + line.size() <= kShipBytes; size += line.size())
        out << line;
    ship.mib = double(size) / (1 << 20);
}

// The peak resident memory of `pelto5 --check ship`, in KiB.
long CheckPeak(const std::string& ship) {
    std::vector<std::string> args{PELTO5_EDITOR_PATH, "--check", ship};
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    int status = 0;
    rusage used{};
    if (posix_spawn(&pid, argv[0], &files, nullptr, argv.data(), environ) == 0)
        ::wait4(pid, &status, 0, &used);
    posix_spawn_file_actions_destroy(&files);
    return used.ru_maxrss;
}

long OwnPeak() {
    QFile status("/proc/self/status");
    status.open(QIODevice::ReadOnly);
    return QRegularExpression("VmHWM:\\s*(\\d+) kB").match(status.readAll()).captured(1).toLong();
}

// The peak resident memory of this process while the editor window opens
// ship, in KiB: the window is made and shown first, then the peak is counted
// anew from there.
long WindowPeak(const std::string& ship) {
    Pelto5Dlg dlg(RealFileSystem());
    dlg.show();
    QApplication::processEvents();
    ::malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5"; // the peak starts again from now
    dlg.OpenShipFile(ship);
    QApplication::processEvents();
    return OwnPeak();
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir dir;
    std::vector<Ship> ships{{"a few lines (floor)", dir.filePath("Few.gf").toStdString()},
                            {"ordinary lines", dir.filePath("Ordinary.gf").toStdString()},
                            {"empty lines", dir.filePath("Empty.gf").toStdString()}};
    const std::string hardpoints = "[HardPoints]\r\nWeapon1=10,20\r\n";
    WriteShip(ships[0], "[General]\r\nName=Few\r\n" + hardpoints, "");
    WriteShip(ships[1], hardpoints, "Key=some ordinary value, 1234567\r\n");
    WriteShip(ships[2], hardpoints, "\r\n");
    // --check first, while this process is small: a program started from
    // here counts this process's peak as its own (a spawn shares its memory
    // until the exec).
    std::vector<long> checks;
    for (const Ship& ship : ships)
        checks.push_back(CheckPeak(ship.path));

    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::vector<long> windows;
    for (const Ship& ship : ships) {
        windows.push_back(WindowPeak(ship.path));
        ::malloc_trim(0);
    }

    std::printf("%-20s %10s   %14s %8s   %14s %8s\n", "ship", "size", "--check peak", "per MiB",
                "window peak", "per MiB");
    for (std::size_t k = 0; k < ships.size(); ++k) {
        std::printf("%-20s %6.2f MiB   %11.1f MB", ships[k].what, ships[k].mib, checks[k] / 1024.0);
        if (k == 0)
            std::printf(" %8s   %11.1f MB\n", "", windows[k] / 1024.0);
        else
            std::printf(" %8.2f   %11.1f MB %8.2f\n",
                        (checks[k] - checks[0]) / 1024.0 / ships[k].mib, windows[k] / 1024.0,
                        (windows[k] - windows[0]) / 1024.0 / ships[k].mib);
    }
    std::printf("(MB here are MiB; per MiB: what one MiB of ship adds to the floor's peak)\n");
    return 0;
}
