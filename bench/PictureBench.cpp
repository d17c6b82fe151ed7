// Opening a ship's two large pictures (4000 x 3000, 24 bits) as the editor
// opens them, beside the floor: Qt's plain decode of the same two files.
// And drawing a VL picture (600 x 360) on a scaled screen in whole device
// pixels, its device-sized copy made anew (the first paint) or kept (every
// paint after), beside the floor: Qt's own nearest-neighbour drawing of it
// at the same scale.
#include "PosixFileSystem.h"
#include "ShipPicture.h"
#include "WholePixels.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>
#include <QtMath>

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

// A screen at state.range(0) percent, with the picture drawn by draw.
template <typename Draw> void DrawScaled(benchmark::State& state, Draw draw) {
    const qreal scale = state.range(0) / 100.0;
    QImage picture(600, 360, QImage::Format_RGB32);
    picture.fill(qRgb(40, 48, 72));
    QImage screen(qCeil(600 * scale), qCeil(360 * scale), QImage::Format_ARGB32_Premultiplied);
    screen.setDevicePixelRatio(scale);
    for (auto _ : state) {
        QPainter painter(&screen);
        draw(painter, picture);
        benchmark::DoNotOptimize(screen.constBits());
    }
}

void BM_ScaledPictureFloor(benchmark::State& state) {
    DrawScaled(state, [](QPainter& painter, const QImage& picture) {
        painter.drawImage(QPoint(0, 0), picture);
    });
}

void BM_ScaledPictureInWholePixels(benchmark::State& state) {
    DrawScaled(state, [](QPainter& painter, const QImage& picture) {
        WholePixelPicture().Draw(painter, picture, picture.size());
    });
}

// Every paint after the first: the device-sized copy is kept.
void BM_ScaledPictureInWholePixelsKept(benchmark::State& state) {
    WholePixelPicture whole;
    DrawScaled(state, [&whole](QPainter& painter, const QImage& picture) {
        whole.Draw(painter, picture, picture.size());
    });
}

BENCHMARK(BM_OpenPicturesFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenPictures)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScaledPictureFloor)->Arg(150)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScaledPictureInWholePixels)->Arg(150)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScaledPictureInWholePixelsKept)->Arg(150)->Arg(200)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
