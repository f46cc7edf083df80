#pragma once
// A realized font: what a logical font (face name, height, weight, styles) becomes on this
// system — a primary sized face that sets the metrics, plus the fallback faces that supply the
// characters it lacks, all at the same em size. Realized fonts are shared through a cache, so
// every handle and every device context asking for the same font uses one glyph cache.
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/gdi/font_config.h"
#include "platform/gdi/font_face.h"

namespace platform::text {

// The parts of a logical font that decide how text looks.
struct FontSpec {
    std::string faceName;
    int height = 0;  // < 0: em size in pixels; > 0: cell height; 0: the default size
    int width = 0;   // average character width asked for; 0 = natural (not synthesised)
    int weight = 0;  // 0 = FW_NORMAL
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charSet = 1;

    auto operator<=>(const FontSpec&) const = default;
};

// Text metrics in pixels, in the meaning of Windows' TEXTMETRIC.
struct FontMetrics {
    int height = 0;
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;
    int externalLeading = 0;
    int aveCharWidth = 0;
    int maxCharWidth = 0;
    int weight = 400;
    int overhang = 0;
    bool italic = false;
    bool underlined = false;
    bool struckOut = false;
    int charSet = 1;
};

// A glyph placed on a line: x is the pen position relative to the start of the text.
struct PlacedGlyph {
    const GlyphImage* image = nullptr;
    int x = 0;
};

class RealizedFont {
  public:
    explicit RealizedFont(const FontSpec& spec);
    RealizedFont(const RealizedFont&) = delete;
    RealizedFont& operator=(const RealizedFont&) = delete;

    const FontSpec& Spec() const { return spec_; }
    const FontMetrics& Metrics() const { return metrics_; }
    const FaceMetrics& LineMetrics() const;  // underline and strike-out placement
    // Family of the primary face ("AR PL UMing CN" for "宋体"); empty when no font exists.
    std::string Family() const;
    // Family of the face that draws one character, after the fallback chain.
    std::string FamilyFor(char32_t ch);
    int Ppem() const { return ppem_; }

    // Advance of one character in pixels, through the fallback chain. The caller holds TextLock().
    int Advance(char32_t ch);
    const GlyphImage& Glyph(char32_t ch);
    // Width of a string, and its glyphs placed from x = 0 (the caller holds TextLock()).
    int Measure(std::u32string_view text);
    std::vector<PlacedGlyph> Place(std::u32string_view text);

  private:
    SizedFace* FaceFor(char32_t ch);
    SizedFace* FallbackFace(size_t index);

    FontSpec spec_;
    std::shared_ptr<const FaceList> faces_;
    int ppem_ = 0;
    bool embolden_ = false;
    bool oblique_ = false;
    std::unique_ptr<SizedFace> primary_;
    std::vector<std::unique_ptr<SizedFace>> fallbacks_;  // by index in faces_, lazily opened
    std::unordered_map<char32_t, SizedFace*> chosen_;    // characters the primary face lacks
    FontMetrics metrics_;
};

// The lock every text entry point holds while it measures or draws: FreeType faces and the
// glyph caches are not thread-safe.
std::recursive_mutex& TextLock();

// The shared realized font for a logical font.
std::shared_ptr<RealizedFont> RealizeFont(const FontSpec& spec);

}  // namespace platform::text
