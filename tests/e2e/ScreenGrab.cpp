// Saves what an X display shows of one window (or of the whole screen, for
// window 0) as a PNG: e2e_grab <window id> <file.png>. Runs on $DISPLAY.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: e2e_grab <window id> <file.png>\n");
        return 2;
    }
    bool ok = false;
    const WId window = QString::fromLocal8Bit(argv[1]).toULongLong(&ok, 0);
    const QPixmap shot = ok ? QGuiApplication::primaryScreen()->grabWindow(window) : QPixmap();
    return !shot.isNull() && shot.save(QString::fromLocal8Bit(argv[2]), "PNG") ? 0 : 1;
}
