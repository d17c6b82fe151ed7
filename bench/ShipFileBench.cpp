// Load and save of a large ship file, each beside its floor: the plain reading
// of the same lines, and the plain writing of the same bytes with the same sync.
#include "PosixFileSystem.h"
#include "RectMarkerSurface.h"
#include "ShipModel.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace pelto5;

struct ShipOnDisk {
    std::filesystem::path dir;
    std::string path;
    std::string bytes;

    ShipOnDisk() {
        std::string tmpl =
            (std::filesystem::temp_directory_path() / "pelto5-bench-XXXXXX").string();
        dir = ::mkdtemp(tmpl.data());
        path = (dir / "Big.gf").string();
        int line = 0;
        for (; line < 1300 - 57; ++line)
            bytes +=
                "Key" + std::to_string(line) + "=some value, " + std::to_string(line * 7) + "\r\n";
        bytes += "[HardPoints]\r\n";
        for (int i = 0; i < kHardpointCount; ++i)
            bytes += HardpointNames()[i] + "=" + std::to_string(10 + i) + "," +
                     std::to_string(20 + i) + "\r\n";
        std::ofstream(path, std::ios::binary) << bytes;
    }
    ~ShipOnDisk() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

ShipOnDisk& Ship() {
    static ShipOnDisk ship;
    return ship;
}

void BM_LoadFloor(benchmark::State& state) {
    for (auto _ : state) {
        std::ifstream in(Ship().path, std::ios::binary);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        benchmark::DoNotOptimize(lines.data());
    }
}

void BM_Load(benchmark::State& state) {
    RectMarkerSurface surface;
    ShipModel model(surface, RealFileSystem());
    for (auto _ : state) {
        model.ResetHardpoints();
        model.SetShipPath(Ship().path);
        benchmark::DoNotOptimize(model.ReadShipFile());
    }
}

void BM_SaveFloor(benchmark::State& state) {
    const std::string out = (Ship().dir / "floor.gf").string();
    for (auto _ : state) {
        const int fd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (::write(fd, Ship().bytes.data(), Ship().bytes.size()) < 0 || ::fsync(fd) != 0)
            state.SkipWithError("write failed");
        ::close(fd);
    }
}

void BM_Save(benchmark::State& state) {
    const std::string path = (Ship().dir / "Saved.gf").string();
    std::filesystem::copy_file(Ship().path, path,
                               std::filesystem::copy_options::overwrite_existing);
    RectMarkerSurface surface;
    ShipModel model(surface, RealFileSystem());
    model.SetShipPath(path);
    model.ReadShipFile();
    for (auto _ : state) {
        if (!model.SaveShipFile().ok)
            state.SkipWithError("save failed");
        state.PauseTiming();
        // Keep the backup search as short as a user's first save.
        std::filesystem::remove(Ship().dir / "Saved.001");
        state.ResumeTiming();
    }
}

BENCHMARK(BM_LoadFloor);
BENCHMARK(BM_Load);
BENCHMARK(BM_SaveFloor);
BENCHMARK(BM_Save);

} // namespace

BENCHMARK_MAIN();
