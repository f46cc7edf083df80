#pragma once
// FreeType faces at a pixel size, with the synthetic styles Windows applies when a family has
// no bold or italic face, and a cache of rendered glyphs per sized face.
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/gdi/font_config.h"

struct FT_SizeRec_;

namespace platform::text {

// A rendered glyph. Rows are either 1 bit per pixel (most significant bit first, as bitmap
// strikes come) or 8-bit coverage (0..255).
struct GlyphImage {
    int width = 0;
    int rows = 0;
    int pitch = 0;  // bytes per row
    bool mono = false;
    int left = 0;     // from the pen position to the first column
    int top = 0;      // from the baseline up to the first row
    int advance = 0;  // whole pixels
    std::vector<uint8_t> bits;

    // Coverage of one pixel, 0..255, whatever the row format.
    uint8_t Coverage(int x, int y) const {
        const uint8_t* row = bits.data() + static_cast<size_t>(y) * pitch;
        if (mono) return (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
        return row[x];
    }
};

// Vertical metrics of a sized face, in pixels, as Windows reports them.
struct FaceMetrics {
    int ascent = 0;
    int descent = 0;
    int aveCharWidth = 0;
    int maxCharWidth = 0;
    int underlinePosition = 0;  // below the baseline, positive down
    int underlineThickness = 1;
    int strikeoutPosition = 0;  // above the baseline, positive up
    int strikeoutThickness = 1;
};

class FreeTypeFace;

// One face at one em size in whole pixels, with synthetic bold and oblique as requested.
// Not thread-safe on its own: the text services hold the text lock around every use.
class SizedFace {
  public:
    SizedFace(std::shared_ptr<FreeTypeFace> face, int ppem, bool embolden, bool oblique);
    ~SizedFace();
    SizedFace(const SizedFace&) = delete;
    SizedFace& operator=(const SizedFace&) = delete;

    bool HasChar(char32_t ch) const;
    const GlyphImage& Glyph(char32_t ch);
    const FaceMetrics& Metrics() const { return metrics_; }
    int Ppem() const { return ppem_; }
    const std::string& Family() const;
    bool Valid() const { return size_ != nullptr; }

  private:
    GlyphImage Render(char32_t ch);
    void ComputeMetrics();

    std::shared_ptr<FreeTypeFace> face_;
    int ppem_;
    bool embolden_;
    bool oblique_;
    ::FT_SizeRec_* size_ = nullptr;
    FaceMetrics metrics_;
    std::unordered_map<char32_t, GlyphImage> glyphs_;
};

// Opens (or reuses) the face in a file; null when the file cannot be read as a font.
std::shared_ptr<FreeTypeFace> OpenFace(const FaceLocation& location);

// Design units per em and the Windows ascent and descent in design units, for turning a cell
// height into an em size.
struct DesignMetrics {
    int unitsPerEm = 0;
    int winAscent = 0;
    int winDescent = 0;
};
DesignMetrics FaceDesignMetrics(const FreeTypeFace& face);

// How many glyphs have been rendered since start-up: the cache is working when drawing the
// same text again leaves it unchanged.
uint64_t RenderedGlyphCount();

}  // namespace platform::text
