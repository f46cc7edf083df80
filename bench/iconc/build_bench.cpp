// The icon compiler against ImageMagick: the default seven sizes from a 1024 x 1024 PNG with
// alpha, both as processes, alternating so that a machine shared with other work treats both
// alike. Reports each one's mean wall and CPU time (the CPU time of a process is what a loaded
// machine disturbs least) and the file sizes.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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

struct Cost {
    double wall = 0;  // seconds
    double cpu = 0;   // user and system seconds of the process and its threads
};

// Runs the command (no shell) and measures it; false when it does not succeed.
bool Measure(const std::vector<std::string>& command, Cost& total) {
    std::vector<char*> argv;
    for (const std::string& a : command) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    auto start = std::chrono::steady_clock::now();
    pid_t child = fork();
    if (child == 0) {
        freopen("/dev/null", "w", stdout);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child) return false;
    total.wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    auto seconds = [](timeval t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    total.cpu += seconds(usage.ru_utime) + seconds(usage.ru_stime);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void BM_BuildAgainstImageMagick(benchmark::State& state) {
    std::string ours = WorkFile("ours.ico"), theirs = WorkFile("magick.ico");
    std::vector<std::string> build{TEMBRIN_CLI, "build", SourcePng(), ours};
    std::vector<std::string> convert{"/usr/bin/convert", SourcePng(), "-define",
                                     "icon:auto-resize=256,128,64,48,32,24,16", theirs};
    Cost oursCost, theirsCost;
    int64_t runs = 0;
    for (auto _ : state) {
        bool oursFirst = runs++ % 2 == 0;
        bool ok = oursFirst ? Measure(build, oursCost) && Measure(convert, theirsCost)
                            : Measure(convert, theirsCost) && Measure(build, oursCost);
        if (!ok) return state.SkipWithError("a command failed");
    }
    auto ms = [&](double seconds) { return 1000 * seconds / double(runs); };
    state.counters["tembrin_ms"] = ms(oursCost.wall);
    state.counters["magick_ms"] = ms(theirsCost.wall);
    state.counters["tembrin_cpu_ms"] = ms(oursCost.cpu);
    state.counters["magick_cpu_ms"] = ms(theirsCost.cpu);
    state.counters["wall_ratio"] = oursCost.wall / theirsCost.wall;
    state.counters["cpu_ratio"] = oursCost.cpu / theirsCost.cpu;
    state.counters["tembrin_bytes"] = double(std::filesystem::file_size(ours));
    state.counters["magick_bytes"] = double(std::filesystem::file_size(theirs));
}
BENCHMARK(BM_BuildAgainstImageMagick)->Unit(benchmark::kMillisecond)->Iterations(20);

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
