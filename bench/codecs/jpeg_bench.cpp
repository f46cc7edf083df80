// Opening and first-drawing a 24-megapixel baseline JPEG through the JPEG picture, against
// decoding the same bytes straight into a buffer with libjpeg. The picture's overhead (the
// bitmap section, the guarded calls, the final blit into a view-sized canvas) should stay
// within 5 % of the bare decode.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "graphics/bitmap.h"
#include "graphics/canvas.h"

#include "codecs/jpeg/jpeg_compressor.h"
#include "codecs/jpeg/jpeg_image.h"

// The library's headers come last: their TRUE/FALSE macros would clash with the platform's.
#include <jpeglib.h>
#include <cstdio>

namespace {

constexpr int32_t kWidth = 6000;
constexpr int32_t kHeight = 4000;

// A photo-like test image: smooth gradients with some texture, so entropy decoding does
// real work. Made once per run.
const std::vector<uint8_t>& SampleFile() {
    static const std::vector<uint8_t> bytes = [] {
        std::vector<uint8_t> row(static_cast<size_t>(kWidth) * 3);
        core::TMemoryStream out;
        codecs::CompressBgrRows(
            kWidth, kHeight, 90,
            [&row](int32_t y) {
                for (int32_t x = 0; x < kWidth; ++x) {
                    uint32_t noise = (static_cast<uint32_t>(x) * 2654435761u) ^
                                     (static_cast<uint32_t>(y) * 40503u);
                    row[x * 3] = static_cast<uint8_t>(x / 24 + (noise >> 28));
                    row[x * 3 + 1] = static_cast<uint8_t>(y / 16 + (noise >> 29));
                    row[x * 3 + 2] = static_cast<uint8_t>((x + y) / 40);
                }
                return row.data();
            },
            out);
        return out.Bytes();
    }();
    return bytes;
}

void BM_JpegPictureOpenAndFirstDraw(benchmark::State& state) {
    const std::vector<uint8_t>& file = SampleFile();
    graphics::TBitmap view;
    view.SetWidth(640);
    view.SetHeight(480);
    for (auto _ : state) {
        codecs::TJPEGImage picture;
        core::TBytesStream stream(file.data(), static_cast<int64_t>(file.size()));
        picture.LoadFromStream(stream);
        view.Canvas().DrawGraphic(graphics::Rect(0, 0, 640, 480), &picture);
        benchmark::DoNotOptimize(picture.Bitmap().ScanLine(0));
    }
    state.SetLabel("6000x4000, 24-bit");
}
BENCHMARK(BM_JpegPictureOpenAndFirstDraw)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// The same without the draw: what the decode into the picture's bitmap costs on its own.
void BM_JpegPictureOpenAndDecode(benchmark::State& state) {
    const std::vector<uint8_t>& file = SampleFile();
    for (auto _ : state) {
        codecs::TJPEGImage picture;
        core::TBytesStream stream(file.data(), static_cast<int64_t>(file.size()));
        picture.LoadFromStream(stream);
        benchmark::DoNotOptimize(picture.Bitmap().ScanLine(0));
    }
    state.SetLabel("6000x4000, 24-bit");
}
BENCHMARK(BM_JpegPictureOpenAndDecode)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// The export's draw: once into a 64 x 64 bitmap, decoding only the 64 rows it takes.
void BM_JpegPictureDrawOnceInto64(benchmark::State& state) {
    const std::vector<uint8_t>& file = SampleFile();
    graphics::TBitmap icon;
    icon.SetWidth(64);
    icon.SetHeight(64);
    for (auto _ : state) {
        codecs::TJPEGImage picture;
        core::TBytesStream stream(file.data(), static_cast<int64_t>(file.size()));
        picture.LoadFromStream(stream);
        icon.Canvas().DrawGraphicOnce(graphics::Rect(0, 0, 64, 64), &picture);
        benchmark::DoNotOptimize(icon.ScanLine(0));
    }
    state.SetLabel("6000x4000, 24-bit");
}
BENCHMARK(BM_JpegPictureDrawOnceInto64)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_LibjpegDirectDecode(benchmark::State& state) {
    const std::vector<uint8_t>& file = SampleFile();
    for (auto _ : state) {
        jpeg_decompress_struct info{};
        jpeg_error_mgr errors{};
        info.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&info);
        jpeg_mem_src(&info, file.data(), static_cast<unsigned long>(file.size()));
        jpeg_read_header(&info, TRUE);
        info.out_color_space = JCS_EXT_BGR;
        info.do_block_smoothing = TRUE;
        jpeg_start_decompress(&info);
        size_t stride = (static_cast<size_t>(info.output_width) * 3 + 3) / 4 * 4;
        // A fresh buffer each time, as the picture makes a fresh bitmap.
        std::unique_ptr<uint8_t[]> pixels(new uint8_t[stride * info.output_height]);
        while (info.output_scanline < info.output_height) {
            JSAMPROW row = pixels.get() + stride * info.output_scanline;
            jpeg_read_scanlines(&info, &row, 1);
        }
        jpeg_finish_decompress(&info);
        jpeg_destroy_decompress(&info);
        benchmark::DoNotOptimize(pixels.get());
    }
    state.SetLabel("6000x4000, 24-bit");
}
BENCHMARK(BM_LibjpegDirectDecode)->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace
