// The export from a large bitmap already in memory, and the bitmap reader against a plain copy
// of the same pixel bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "app/export/icon_export.h"
#include "core/stream.h"
#include "graphics/bitmap.h"
#include "graphics/canvas.h"

using namespace graphics;

namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

std::vector<uint8_t> LargeBmp() {
    int64_t line = (kWidth * 3 + 3) / 4 * 4;
    std::vector<uint8_t> file(54 + line * kHeight);
    auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&file[at], &v, 4); };
    file[0] = 'B';
    file[1] = 'M';
    put32(10, 54);
    put32(14, 40);
    put32(18, kWidth);
    put32(22, kHeight);
    file[26] = 1;
    file[28] = 24;
    for (size_t i = 54; i < file.size(); ++i) file[i] = static_cast<uint8_t>(i * 7);
    return file;
}

const std::vector<uint8_t>& Bmp() {
    static const std::vector<uint8_t> file = LargeBmp();
    return file;
}

void BM_ReadBmp4000x3000(benchmark::State& state) {
    for (auto _ : state) {
        core::TBytesStream stream(Bmp().data(), static_cast<int64_t>(Bmp().size()));
        TBitmap bitmap;
        bitmap.LoadFromStream(stream);
        benchmark::DoNotOptimize(bitmap.Width());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(Bmp().size() - 54));
}
BENCHMARK(BM_ReadBmp4000x3000)->Unit(benchmark::kMillisecond);

void BM_MemcpyPixels4000x3000(benchmark::State& state) {
    std::vector<uint8_t> target(Bmp().size() - 54);
    for (auto _ : state) {
        std::memcpy(target.data(), Bmp().data() + 54, target.size());
        benchmark::DoNotOptimize(target.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(target.size()));
}
BENCHMARK(BM_MemcpyPixels4000x3000)->Unit(benchmark::kMillisecond);

// What every reader pays at least: new memory for the pixels (fresh pages from the system,
// faulted in on first write) and one copy of the bytes into it.
void BM_AllocateAndCopyPixels4000x3000(benchmark::State& state) {
    const size_t size = Bmp().size() - 54;
    for (auto _ : state) {
        std::unique_ptr<uint8_t[]> target(new uint8_t[size]);
        std::memcpy(target.get(), Bmp().data() + 54, size);
        benchmark::DoNotOptimize(target.get());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(size));
}
BENCHMARK(BM_AllocateAndCopyPixels4000x3000)->Unit(benchmark::kMillisecond);

void BM_ExportFrom4000x3000(benchmark::State& state) {
    core::TBytesStream stream(Bmp().data(), static_cast<int64_t>(Bmp().size()));
    TBitmap picture;
    picture.LoadFromStream(stream);
    int size = static_cast<int>(state.range(0));
    std::string target = (std::filesystem::temp_directory_path() / "tembrin_bench.ico").string();
    for (auto _ : state) app::ExportIcon(&picture, size, size, target);
}
BENCHMARK(BM_ExportFrom4000x3000)->Arg(64)->Arg(32)->Arg(16)->Unit(benchmark::kMillisecond);

}  // namespace
