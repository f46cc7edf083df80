#include "codecs/jpeg/jpeg_decoder.h"

#include <algorithm>

#include <jerror.h>

#include "codecs/jpeg/jpeg_error.h"
#include "codecs/jpeg/jpeg_progress.h"
#include "codecs/jpeg/jpeg_source.h"
#include "core/exceptions.h"

namespace codecs {

JpegHeader ReadJpegHeader(core::TStream& data) {
    JpegDecompressor decompressor;
    JpegStreamSource source(decompressor, data);
    decompressor.ReadHeader();
    const jpeg_decompress_struct& info = decompressor.Info();
    JpegHeader header;
    header.width = static_cast<int32_t>(info.image_width);
    header.height = static_cast<int32_t>(info.image_height);
    header.grayscale = info.jpeg_color_space == JCS_GRAYSCALE;
    header.progressive = decompressor.HasMultipleScans();
    return header;
}

JpegDecoder::JpegDecoder(core::TStream& data, const JpegSettings& settings)
    : data_(data), settings_(settings) {}

void JpegDecoder::SetProgress(JpegProgressHandler handler, JpegTickSource ticks) {
    progress_ = std::move(handler);
    ticks_ = std::move(ticks);
}

namespace {

bool WantsPalette(const jpeg_decompress_struct& info, const JpegSettings& settings) {
    return settings.PixelFormat == jf8Bit || info.out_color_space == JCS_GRAYSCALE;
}

void ApplySettings(jpeg_decompress_struct& info, const JpegSettings& settings) {
    info.scale_num = 1;
    info.scale_denom = 1u << settings.Scale;
    info.do_block_smoothing = settings.Smoothing ? TRUE : FALSE;
    info.buffered_image = FALSE;  // one pass, progressive or not
    if (settings.Grayscale) info.out_color_space = JCS_GRAYSCALE;
    // Everything that is not gray comes out as blue, green, red: the 24-bit bitmap row order.
    // Four-component files cannot be converted by the library and fail at the start.
    if (info.out_color_space != JCS_GRAYSCALE) info.out_color_space = JCS_EXT_BGR;
    if (settings.Performance == jpBestSpeed) {
        info.dct_method = JDCT_IFAST;
        info.two_pass_quantize = FALSE;
        info.dither_mode = JDITHER_ORDERED;
    }
    if (WantsPalette(info, settings)) {
        info.quantize_colors = TRUE;
        info.desired_number_of_colors = JpegDecoder::kQuantizedColors;
    }
}

void InstallPalette(const jpeg_decompress_struct& info, JpegDecodeTarget& target) {
    if (!info.quantize_colors || !info.colormap) return;
    std::vector<JpegPaletteEntry> entries(static_cast<size_t>(info.actual_number_of_colors));
    for (size_t i = 0; i < entries.size(); ++i) {
        if (info.out_color_components == 1) {
            uint8_t gray = info.colormap[0][i];
            entries[i] = {gray, gray, gray};
        } else {
            entries[i] = {info.colormap[2][i], info.colormap[1][i], info.colormap[0][i]};
        }
    }
    target.SetPalette(entries);
}

// Rows go one per call into the target's consecutive rows, starting at row 0; `distance` steps
// from one to the next.
struct RowCursor {
    uint8_t* row;
    ptrdiff_t distance;
};

RowCursor FirstRow(JpegDecodeTarget& target, int32_t height) {
    uint8_t* row = target.RowAddress(0);
    return {row, height > 1 ? target.RowAddress(1) - row : 0};
}

void ReadRows(JpegDecompressor& decompressor, JpegDecodeTarget& target) {
    jpeg_decompress_struct& info = decompressor.Info();
    int32_t height = static_cast<int32_t>(info.output_height);
    if (height <= 0) return;
    auto [row, distance] = FirstRow(target, height);
    // Several rows per call only when they lie evenly spaced downwards in memory.
    int rowsPerCall = distance > 0 && distance % 4 == 0 ? std::max(info.rec_outbuf_height, 1) : 1;
    rowsPerCall = std::min(rowsPerCall, 16);
    JSAMPROW rows[16];
    while (info.output_scanline < info.output_height) {
        int wanted =
            std::min<int>(rowsPerCall, static_cast<int>(info.output_height - info.output_scanline));
        for (int i = 0; i < wanted; ++i) rows[i] = row + distance * i;
        int delivered = decompressor.ReadScanlines(rows, wanted);
        if (delivered <= 0) break;  // cannot happen with a source that never suspends
        row += distance * delivered;
    }
}

// Reads each listed output row into the next target row. Rows in between are skipped, or,
// for dithered output, read into the target row that the next listed row then overwrites.
void ReadListedRows(JpegDecompressor& decompressor, JpegDecodeTarget& target,
                    const std::vector<int32_t>& wanted) {
    jpeg_decompress_struct& info = decompressor.Info();
    if (wanted.empty()) return;
    auto [row, distance] = FirstRow(target, static_cast<int32_t>(wanted.size()));
    const bool skip = !info.quantize_colors;
    for (int32_t source : wanted) {
        if (source < 0 || static_cast<JDIMENSION>(source) >= info.output_height ||
            static_cast<JDIMENSION>(source) < info.output_scanline)
            throw core::EInvalidOperation("Rows must rise within the image");
        JSAMPROW rows[1] = {row};
        auto ahead = [&] { return static_cast<int>(source - info.output_scanline); };
        if (skip && ahead() > 0) decompressor.SkipScanlines(ahead());
        while (ahead() > 0)
            if (decompressor.ReadScanlines(rows, 1) <= 0) return;
        if (decompressor.ReadScanlines(rows, 1) <= 0) return;
        row += distance;
    }
}

}  // namespace

void JpegDecoder::DecodeInto(JpegDecodeTarget& target, bool& paletteModified) {
    Decode(target, nullptr, paletteModified);
}

void JpegDecoder::DecodeRowsInto(JpegDecodeTarget& target, const std::vector<int32_t>& rows,
                                 bool& paletteModified) {
    Decode(target, &rows, paletteModified);
}

void JpegDecoder::Decode(JpegDecodeTarget& target, const std::vector<int32_t>* rows,
                         bool& paletteModified) {
    JpegDecompressor decompressor;
    JpegStreamSource source(decompressor, data_);
    JpegProgressMonitor monitor(progress_, ticks_);
    monitor.Bind(decompressor);
    jpeg_decompress_struct& info = decompressor.Info();

    decompressor.ReadHeader();
    ApplySettings(info, settings_);
    int64_t pixels = int64_t{info.image_width} * info.image_height;
    if (pixels > JpegMaxPixels()) throw EJPEG(JERR_IMAGE_TOO_BIG);
    int bitsPerPixel = WantsPalette(info, settings_) ? 8 : 24;
    target.Reset(bitsPerPixel);

    // An EAbort, from decoding or from the ending report itself, ends decoding quietly.
    try {
        try {
            monitor.Report(JpegProgressStage::Starting, 0, false);
            decompressor.StartDecompress();
            // Each delivered pixel must fill exactly one target pixel.
            if (info.output_components != bitsPerPixel / 8) throw EJPEG(JERR_CONVERSION_NOTIMPL);
            target.Reset(bitsPerPixel);
            int32_t height = rows ? static_cast<int32_t>(rows->size())
                                  : static_cast<int32_t>(info.output_height);
            target.SetSize(static_cast<int32_t>(info.output_width), height);
            if (info.quantize_colors && info.colormap) {
                InstallPalette(info, target);
                paletteModified = true;
            }
            if (rows) {
                // The rows after the last one listed are never read: the decompressor is
                // released unfinished.
                ReadListedRows(decompressor, target, *rows);
            } else {
                ReadRows(decompressor, target);
                decompressor.FinishDecompress();
            }
        } catch (...) {
            monitor.Report(JpegProgressStage::Ending, 0, paletteModified);
            throw;
        }
        monitor.Report(JpegProgressStage::Ending, 100, paletteModified);
    } catch (const core::EAbort&) {
    }
}

}  // namespace codecs
