// BitBlt SRCCOPY of 32-bit bitmaps against memcpy of the same bytes, and COLORONCOLOR
// shrinking of a large picture to two destination sizes (the cost should follow the
// destination).
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "platform/gdi/gdi.h"

namespace {

using namespace platform;

struct Surface {
    HBITMAP bitmap;
    HDC dc;
    HGDIOBJ old;
    Surface(int w, int h) {
        HDC screen = GetDC(nullptr);
        bitmap = CreateCompatibleBitmap(screen, w, h);
        ReleaseDC(nullptr, screen);
        dc = CreateCompatibleDC(nullptr);
        old = SelectObject(dc, bitmap);
    }
    ~Surface() {
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
};

constexpr int kW = 1024, kH = 768;

void BM_Memcpy32(benchmark::State& state) {
    std::vector<std::uint8_t> a(std::size_t(kW) * kH * 4, 1), b(a.size());
    for (auto _ : state) {
        std::memcpy(b.data(), a.data(), a.size());
        benchmark::DoNotOptimize(b.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(a.size()));
}
BENCHMARK(BM_Memcpy32);

void BM_BitBltSrcCopy32(benchmark::State& state) {
    Surface src(kW, kH), dst(kW, kH);
    PatBlt(src.dc, 0, 0, kW, kH, WHITENESS);
    for (auto _ : state) {
        BitBlt(dst.dc, 0, 0, kW, kH, src.dc, 0, 0, SRCCOPY);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * kW * kH * 4);
}
BENCHMARK(BM_BitBltSrcCopy32);

void BM_BitBltSrcAnd32(benchmark::State& state) {
    Surface src(kW, kH), dst(kW, kH);
    for (auto _ : state) {
        BitBlt(dst.dc, 0, 0, kW, kH, src.dc, 0, 0, SRCAND);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * kW * kH * 4);
}
BENCHMARK(BM_BitBltSrcAnd32);

void BM_StretchColorOnColorShrink(benchmark::State& state) {
    static Surface* big = new Surface(4000, 3000);  // built once for both sizes
    int w = int(state.range(0)), h = int(state.range(1));
    Surface dst(w, h);
    SetStretchBltMode(dst.dc, COLORONCOLOR);
    for (auto _ : state) {
        StretchBlt(dst.dc, 0, 0, w, h, big->dc, 0, 0, 4000, 3000, SRCCOPY);
        benchmark::ClobberMemory();
    }
    state.counters["dest_pixels"] = double(w) * h;
}
BENCHMARK(BM_StretchColorOnColorShrink)
    ->Args({468, 351})
    ->Args({64, 64})
    ->Unit(benchmark::kMicrosecond);

// BLACKONWHITE, a new DC's mode, combines every source pixel of a group: this one follows
// the source size by nature.
void BM_StretchBlackOnWhiteShrink(benchmark::State& state) {
    Surface big(4000, 3000), dst(468, 351);
    for (auto _ : state) {
        StretchBlt(dst.dc, 0, 0, 468, 351, big.dc, 0, 0, 4000, 3000, SRCCOPY);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_StretchBlackOnWhiteShrink)->Unit(benchmark::kMillisecond);

}  // namespace
