// `pelto5 --check` over a folder of 1,000 ships with small pictures, beside
// its floor: finding the same files and reading each of them whole.
#include "CheckCommand.h"
#include "HardpointTable.h"
#include "PosixFileSystem.h"
#include "Terminal.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace pelto5;

constexpr int kShips = 1000;

struct Fleet {
    QTemporaryDir dir;
    std::FILE* sink = std::fopen("/dev/null", "w");

    Fleet() {
        QImage vl(160, 96, QImage::Format_RGB32), ti(64, 64, QImage::Format_RGB32);
        vl.fill(qRgb(40, 40, 60));
        ti.fill(qRgb(60, 40, 40));
        std::string ship = "[General]\r\nName=Bench\r\nClass=Escort\r\n\r\n[HardPoints]\r\n";
        for (int i = 0; i < kHardpointCount; ++i)
            ship += HardpointNames()[i] + "=" + std::to_string(2 + i % 20) + "," +
                    std::to_string(2 + i % 30) + "\r\n";
        for (int n = 0; n < kShips; ++n) {
            const QString stem = dir.filePath(QStringLiteral("Ship%1").arg(n, 4, 10, QChar('0')));
            QFile file(stem + ".gf");
            if (!file.open(QIODevice::WriteOnly))
                std::abort();
            file.write(ship.data(), static_cast<qint64>(ship.size()));
            if (!vl.save(stem + "VL.bmp", "BMP") || !ti.save(stem + "TI.bmp", "BMP"))
                std::abort();
        }
    }
    ~Fleet() { std::fclose(sink); }
};

Fleet& TheFleet() {
    static Fleet fleet;
    return fleet;
}

void BM_CheckFolderFloor(benchmark::State& state) {
    const QString folder = TheFleet().dir.path();
    for (auto _ : state) {
        size_t bytes = 0;
        QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            std::string content;
            RealFileSystem().ReadAll(QFile::encodeName(it.next()).toStdString(), content);
            bytes += content.size();
        }
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_CheckFolderFloor)->Unit(benchmark::kMillisecond);

void BM_CheckFolder(benchmark::State& state) {
    const std::vector<std::string> paths{QFile::encodeName(TheFleet().dir.path()).toStdString()};
    for (auto _ : state) {
        Terminal terminal(TheFleet().sink, TheFleet().sink);
        benchmark::DoNotOptimize(CheckShips(paths, RealFileSystem(), terminal));
    }
}
BENCHMARK(BM_CheckFolder)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
