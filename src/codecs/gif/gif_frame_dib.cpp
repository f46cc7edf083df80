#include "codecs/gif/gif_frame_dib.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "codecs/gif/gif_strings.h"
#include "core/exceptions.h"
#include "platform/gdi/wintypes.h"

namespace codecs::gif {

namespace {

constexpr size_t kHeaderSize =
    sizeof(platform::BITMAPFILEHEADER) + sizeof(platform::BITMAPINFOHEADER) + size_t{256} * 4;

struct Layout {
    int width;
    int height;
    size_t stride;
    uint8_t* colors;  // 256 entries of blue, green, red, 0
    uint8_t* bits;    // rows from the bottom
    uint8_t* Row(int row) const { return bits + static_cast<size_t>(height - 1 - row) * stride; }
};

Layout AllocateFile(TGIFFrameDIB& dib, int width, int height, int importantColors) {
    const size_t stride = DIBStride(width);
    const size_t imageSize = stride * static_cast<size_t>(height);
    try {
        dib.file.assign(kHeaderSize + imageSize, 0);
    } catch (const std::bad_alloc&) {
        throw core::EOutOfMemory(strings::SOutOfMemoryDIB);
    }
    platform::BITMAPFILEHEADER fileHeader{};
    fileHeader.bfType = 0x4D42;  // "BM"
    fileHeader.bfSize = static_cast<platform::DWORD>(dib.file.size());
    fileHeader.bfOffBits = static_cast<platform::DWORD>(kHeaderSize);
    platform::BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 8;
    info.biCompression = platform::BI_RGB;
    info.biClrUsed = 256;
    info.biClrImportant = static_cast<platform::DWORD>(importantColors);
    std::memcpy(dib.file.data(), &fileHeader, sizeof fileHeader);
    std::memcpy(dib.file.data() + sizeof fileHeader, &info, sizeof info);
    uint8_t* colors = dib.file.data() + sizeof fileHeader + sizeof info;
    return {width, height, stride, colors, colors + size_t{256} * 4};
}

void SetColor(const Layout& layout, int index, int red, int green, int blue) {
    uint8_t* entry = layout.colors + static_cast<size_t>(index) * 4;
    entry[0] = static_cast<uint8_t>(blue);
    entry[1] = static_cast<uint8_t>(green);
    entry[2] = static_cast<uint8_t>(red);
}

void AllocateMask(TGIFFrameDIB& dib, int width, int height) {
    try {
        dib.maskBits.assign(MaskStride(width) * static_cast<size_t>(height), 0);
    } catch (const std::bad_alloc&) {
        throw core::EOutOfMemory(strings::SOutOfMemoryDIB);
    }
}

inline void SetMaskBit(TGIFFrameDIB& dib, int width, int row, int column) {
    dib.maskBits[MaskStride(width) * static_cast<size_t>(row) + static_cast<size_t>(column / 8)] |=
        static_cast<uint8_t>(0x80 >> (column & 7));
    dib.anyTransparent = true;
}

void ReportRow(const TGIFRowProgress& progress, int row, int height) {
    if (progress && row % 32 == 0) progress(row, height);
}

void CopyIndices(const TGIFSubImage& frame, std::span<const TGIFColor> colors, TGIFFrameDIB& dib,
                 bool mask, int transparentIndex, const TGIFRowProgress& progress) {
    const int count = static_cast<int>(std::min<size_t>(colors.size(), 256));
    Layout layout = AllocateFile(dib, frame.Width(), frame.Height(), count);
    for (int i = 0; i < count; ++i)
        SetColor(layout, i, colors[i].Red, colors[i].Green, colors[i].Blue);
    for (int row = 0; row < layout.height; ++row) {
        ReportRow(progress, row, layout.height);
        const uint8_t* source = frame.Scanline(row);
        std::memcpy(layout.Row(row), source, static_cast<size_t>(layout.width));
        if (!mask) continue;
        for (int x = 0; x < layout.width; ++x)
            if (source[x] == transparentIndex) SetMaskBit(dib, layout.width, row, x);
    }
}

// Serpentine Floyd-Steinberg onto the 216-colour palette. Errors are kept in sixteenths: one
// row of terms for the row being written (from the row above) and one for the row below, with
// a column of margin on each side. A transparent pixel receives no colour and passes no error
// on: the error carried along the row stops there.
class Ditherer {
  public:
    Ditherer(const TGIFSubImage& frame, TGIFFrameDIB& dib, bool mask, int transparentIndex)
        : frame_(frame),
          dib_(dib),
          map_(frame.ActiveColorMap()),
          mask_(mask),
          transparentIndex_(transparentIndex),
          width_(frame.Width()),
          current_(static_cast<size_t>(width_ + 2) * 3, 0),
          below_(static_cast<size_t>(width_ + 2) * 3, 0) {
        for (int i = 0; i < 256; ++i) known_[i] = i < map_.Count();
    }

    void Run(const Layout& layout, const TGIFRowProgress& progress) {
        for (int row = 0; row < layout.height; ++row) {
            ReportRow(progress, row, layout.height);
            DitherRow(frame_.Scanline(row), layout.Row(row), row, row % 2 == 0);
            current_.swap(below_);
            std::fill(below_.begin(), below_.end(), 0);
        }
    }

  private:
    TGIFColor Lookup(uint8_t index) const {
        // Indices outside the map go through the map's own lookup, which warns.
        return known_[index] ? map_.Entries()[index] : map_.Color(index);
    }

    void DitherRow(const uint8_t* source, uint8_t* target, int row, bool leftToRight) {
        const int step = leftToRight ? 1 : -1;
        int carry[3] = {0, 0, 0};
        for (int i = 0; i < width_; ++i) {
            const int x = leftToRight ? i : width_ - 1 - i;
            if (mask_ && source[x] == transparentIndex_) {
                SetMaskBit(dib_, width_, row, x);
                target[x] = 0;
                carry[0] = carry[1] = carry[2] = 0;
                continue;
            }
            const TGIFColor color = Lookup(source[x]);
            const int channels[3] = {color.Red, color.Green, color.Blue};
            int levels[3];
            for (int c = 0; c < 3; ++c) {
                int value = channels[c] + (Term(current_, x, c) + carry[c] + 8) / 16;
                value = std::clamp(value, 0, 255);
                levels[c] = DitherLevel(value);
                const int error = value - levels[c] * 51;
                carry[c] = 7 * error;
                Term(below_, x - step, c) += 3 * error;
                Term(below_, x, c) += 5 * error;
                Term(below_, x + step, c) += error;
            }
            target[x] = static_cast<uint8_t>(levels[0] * 36 + levels[1] * 6 + levels[2]);
        }
    }

    // Error terms of column x (-1 and width_ are the margins).
    static int& Term(std::vector<int>& terms, int x, int channel) {
        return terms[static_cast<size_t>(x + 1) * 3 + static_cast<size_t>(channel)];
    }

    const TGIFSubImage& frame_;
    TGIFFrameDIB& dib_;
    const TGIFColorMap& map_;
    bool mask_;
    int transparentIndex_;
    int width_;
    std::array<bool, 256> known_{};
    std::vector<int> current_;
    std::vector<int> below_;
};

void Dither(const TGIFSubImage& frame, TGIFFrameDIB& dib, bool mask, int transparentIndex,
            const TGIFRowProgress& progress) {
    Layout layout = AllocateFile(dib, frame.Width(), frame.Height(), kDitherColors);
    for (int r = 0; r < kDitherLevels; ++r)
        for (int g = 0; g < kDitherLevels; ++g)
            for (int b = 0; b < kDitherLevels; ++b)
                SetColor(layout, r * 36 + g * 6 + b, r * 51, g * 51, b * 51);
    Ditherer(frame, dib, mask, transparentIndex).Run(layout, progress);
}

}  // namespace

TGIFFrameDIB BuildFrameDIB(const TGIFSubImage& frame, std::span<const TGIFColor> colors,
                           bool dithered, bool wantMask, const TGIFRowProgress& progress) {
    TGIFFrameDIB dib;
    const auto* control = frame.GraphicControlExtension();
    const bool mask = wantMask && frame.Transparent() && control;
    const int transparentIndex = mask ? control->TransparentColorIndex() : -1;
    if (mask) AllocateMask(dib, frame.Width(), frame.Height());
    if (dithered)
        Dither(frame, dib, mask, transparentIndex, progress);
    else
        CopyIndices(frame, colors, dib, mask, transparentIndex, progress);
    if (!dib.anyTransparent) dib.maskBits.clear();
    return dib;
}

}  // namespace codecs::gif
