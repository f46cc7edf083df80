// The icon compiler against ImageMagick: the default seven sizes from a 1024 x 1024 PNG with
// alpha, both as processes from the command line, alternating so that a machine shared with
// other work treats both alike. Reports each one's mean time and file size.
#include <benchmark/benchmark.h>
#include <sys/wait.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/file_replace.h"
#include "iconc/icon_builder.h"
#include "iconc/png_file.h"

namespace {

// Smooth colour and alpha everywhere, so neither PNG encoder gets an easy picture.
iconc::RgbaImage TestPicture() {
    iconc::RgbaImage image(1024, 1024);
    for (int y = 0; y < 1024; ++y)
        for (int x = 0; x < 1024; ++x) {
            uint8_t* p = image.At(x, y);
            double dx = x - 511.5, dy = y - 511.5, r = std::sqrt(dx * dx + dy * dy);
            p[0] = uint8_t(x / 4);
            p[1] = uint8_t(y / 4);
            p[2] = uint8_t(128 + 127 * std::sin(r / 40));
            p[3] = uint8_t(r < 400 ? 255 : r < 500 ? 255 * (500 - r) / 100 : 0);
        }
    return image;
}

std::string WorkFile(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("tembrin_bench_" + name)).string();
}

const std::string& SourcePng() {
    static const std::string path = [] {
        std::string p = WorkFile("source.png");
        core::WriteFileReplacing(p, iconc::EncodePng(TestPicture()));
        return p;
    }();
    return path;
}

double SecondsToRun(const std::string& command) {
    auto start = std::chrono::steady_clock::now();
    int status = std::system(command.c_str());
    auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
    return seconds;
}

void BM_BuildAgainstImageMagick(benchmark::State& state) {
    std::string ours = WorkFile("ours.ico"), theirs = WorkFile("magick.ico");
    std::string build = std::string(TEMBRIN_CLI) + " build " + SourcePng() + " " + ours + " > /dev/null";
    std::string convert = "/usr/bin/convert " + SourcePng() +
                          " -define icon:auto-resize=256,128,64,48,32,24,16 " + theirs;
    double oursTotal = 0, theirsTotal = 0;
    int64_t runs = 0;
    for (auto _ : state) {
        bool oursFirst = runs % 2 == 0;
        double a = SecondsToRun(oursFirst ? build : convert);
        double b = SecondsToRun(oursFirst ? convert : build);
        if (a < 0 || b < 0) {
            state.SkipWithError("a command failed");
            return;
        }
        oursTotal += oursFirst ? a : b;
        theirsTotal += oursFirst ? b : a;
        ++runs;
    }
    state.counters["tembrin_ms"] = 1000 * oursTotal / double(runs);
    state.counters["magick_ms"] = 1000 * theirsTotal / double(runs);
    state.counters["time_ratio"] = oursTotal / theirsTotal;
    state.counters["tembrin_bytes"] = double(std::filesystem::file_size(ours));
    state.counters["magick_bytes"] = double(std::filesystem::file_size(theirs));
}
BENCHMARK(BM_BuildAgainstImageMagick)->Unit(benchmark::kMillisecond)->Iterations(10);

// The same work without starting a process: decoding, the seven sizes, encoding.
void BM_BuildInProcess(benchmark::State& state) {
    std::vector<uint8_t> png = iconc::EncodePng(TestPicture());
    iconc::BuildOptions options;
    for (auto _ : state) {
        iconc::RgbaImage source = iconc::DecodePng(png.data(), png.size(), "source");
        benchmark::DoNotOptimize(iconc::BuildIcon(source, options));
    }
}
BENCHMARK(BM_BuildInProcess)->Unit(benchmark::kMillisecond);

}  // namespace
