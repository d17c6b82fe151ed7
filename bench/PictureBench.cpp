// Opening a ship's two large pictures (4000 x 3000, 24 bits) as the editor
// opens them, beside the floor: Qt's plain decode of the same two files.
#include "PosixFileSystem.h"
#include "ShipPicture.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>

#include <array>

namespace {

using namespace pelto5;

struct BigPictures {
    QTemporaryDir dir;
    std::array<QString, 2> paths{dir.filePath("BigVL.bmp"), dir.filePath("BigTI.bmp")};

    BigPictures() {
        QImage picture(4000, 3000, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
            for (int x = 0; x < picture.width(); ++x)
                row[x] = qRgb(x * 7, y * 5, (x ^ y) * 3);
        }
        for (const QString& path : paths)
            picture.save(path, "BMP");
    }
};

const BigPictures& Pictures() {
    static const BigPictures pictures;
    return pictures;
}

void BM_OpenPicturesFloor(benchmark::State& state) {
    for (auto _ : state)
        for (const QString& path : Pictures().paths) {
            QImageReader reader(path, "bmp");
            const QImage image = reader.read();
            if (image.width() != 4000)
                state.SkipWithError("not decoded");
            benchmark::DoNotOptimize(image.constBits());
        }
}

void BM_OpenPictures(benchmark::State& state) {
    for (auto _ : state)
        for (const QString& path : Pictures().paths) {
            const QImage image = LoadShipPicture(RealFileSystem(), path);
            if (image.width() != 4000)
                state.SkipWithError("not decoded");
            benchmark::DoNotOptimize(image.constBits());
        }
}

BENCHMARK(BM_OpenPicturesFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenPictures)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
