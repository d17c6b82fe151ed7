// Redraws the committed artwork: res/bitmaps, res/icons, res/pelto5.qrc,
// docs/contact-sheet.png and the sample ship in examples/.
//
//   QT_QPA_PLATFORM=offscreen pelto5_artwork [source-dir]
//
// The source directory defaults to the tree this program was built from.
#include "Artwork.h"
#include "ExampleShip.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

#include <algorithm>
#include <cstdio>

namespace {

bool Save(const QImage& image, const QString& path, const char* format) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !image.save(path, format)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

bool WriteBytes(const QByteArray& bytes, const QString& path) {
    QFile file(path);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !file.open(QIODevice::WriteOnly) ||
        file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    const QDir root(args.size() > 1 ? args.at(1) : QStringLiteral(PELTO5_SOURCE_DIR));
    bool ok = true;

    QByteArray qrc = "<!DOCTYPE RCC>\n<!-- Written by tools/artwork; do not edit. -->\n"
                     "<RCC version=\"1.0\">\n<qresource prefix=\"/pelto5\">\n";
    for (int id : pelto5::art::BitmapIds()) {
        const QString name = QStringLiteral("bitmaps/%1.png").arg(id);
        ok &=
            Save(pelto5::art::DrawBitmap(id), root.filePath(QStringLiteral("res/") + name), "PNG");
        qrc += "  <file>" + name.toLatin1() + "</file>\n";
    }
    // Every size lies in res/icons for the desktop; the program embeds the small ones.
    const std::vector<int>& embedded = pelto5::art::IconSizes();
    for (int size : pelto5::art::DesktopIconSizes()) {
        const QString name = QStringLiteral("icons/%1-%2.png").arg(pelto5::kMainIcon).arg(size);
        ok &=
            Save(pelto5::art::DrawIcon(size), root.filePath(QStringLiteral("res/") + name), "PNG");
        if (std::find(embedded.begin(), embedded.end(), size) != embedded.end())
            qrc += "  <file>" + name.toLatin1() + "</file>\n";
    }
    qrc += "</qresource>\n</RCC>\n";
    ok &= WriteBytes(qrc, root.filePath(QStringLiteral("res/pelto5.qrc")));

    ok &= Save(pelto5::art::DrawContactSheet(),
               root.filePath(QStringLiteral("docs/contact-sheet.png")), "PNG");
    ok &= Save(pelto5::art::DrawShipVl(), root.filePath(QStringLiteral("examples/CorvetteVL.bmp")),
               "BMP");
    ok &= Save(pelto5::art::DrawShipTi(), root.filePath(QStringLiteral("examples/CorvetteTI.bmp")),
               "BMP");
    ok &= WriteBytes(pelto5::art::ShipFileText(),
                     root.filePath(QStringLiteral("examples/Corvette.gf")));
    return ok ? 0 : 1;
}
