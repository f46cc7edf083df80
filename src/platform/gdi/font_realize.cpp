#include "platform/gdi/font_realize.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "core/utf8.h"

namespace platform::text {
namespace {

constexpr int kDefaultEmPixels = 12;  // the size of a font asked for with height 0
constexpr int kMaxEmPixels = 2048;    // beyond this FreeType sizes overflow
constexpr size_t kFontCacheLimit = 64;

int ClampedWeight(int weight) {
    return weight <= 0 ? 400 : std::min(weight, 1000);
}

}  // namespace

std::recursive_mutex& TextLock() {
    static std::recursive_mutex lock;
    return lock;
}

RealizedFont::RealizedFont(const FontSpec& spec) : spec_(spec) {
    const int weight = ClampedWeight(spec.weight);
    faces_ = ResolveFaces(FaceRequest{spec.faceName, weight, spec.italic});
    std::shared_ptr<FreeTypeFace> face;
    FaceLocation location;
    for (size_t i = 0; i < faces_->Count() && !face; ++i) {
        location = faces_->Face(i);
        face = OpenFace(location);
    }
    // Windows synthesises bold from weight 600 up and slants a face that has no italic.
    embolden_ = weight >= 600 && location.weight < 600;
    oblique_ = spec.italic && !location.italic;

    if (spec.height < 0) {
        ppem_ = spec.height < -kMaxEmPixels ? kMaxEmPixels : -spec.height;
    } else if (spec.height > 0 && face) {
        // A positive height is the cell height: ascent plus descent.
        const DesignMetrics d = FaceDesignMetrics(*face);
        const int cell = d.winAscent + d.winDescent;
        ppem_ = cell > 0 ? static_cast<int>(
                               std::lround(static_cast<double>(spec.height) * d.unitsPerEm / cell))
                         : spec.height;
        ppem_ = std::clamp(ppem_, 1, kMaxEmPixels);
    } else {
        ppem_ = kDefaultEmPixels;
    }
    if (face) primary_ = std::make_unique<SizedFace>(face, ppem_, embolden_, oblique_);

    metrics_.weight = weight;
    metrics_.italic = spec.italic;
    metrics_.underlined = spec.underline;
    metrics_.struckOut = spec.strikeOut;
    metrics_.charSet = spec.charSet;
    if (primary_ && primary_->Valid()) {
        const FaceMetrics& fm = primary_->Metrics();
        metrics_.ascent = fm.ascent;
        metrics_.descent = fm.descent;
        if (spec.height > 0) {
            // The cell is exactly the height asked for.
            metrics_.ascent = std::min(fm.ascent, spec.height);
            metrics_.descent = spec.height - metrics_.ascent;
        }
        metrics_.aveCharWidth = fm.aveCharWidth;
        metrics_.maxCharWidth = fm.maxCharWidth;
    } else {
        metrics_.ascent = ppem_ - ppem_ / 5;
        metrics_.descent = ppem_ / 5;
        metrics_.aveCharWidth = std::max(1, ppem_ / 2);
        metrics_.maxCharWidth = ppem_;
    }
    metrics_.height = metrics_.ascent + metrics_.descent;
    metrics_.internalLeading = std::max(0, metrics_.height - ppem_);
    fallbacks_.resize(faces_->Count());
}

const FaceMetrics& RealizedFont::LineMetrics() const {
    static const FaceMetrics none;
    return primary_ ? primary_->Metrics() : none;
}

std::string RealizedFont::Family() const {
    return primary_ ? primary_->Family() : std::string();
}

std::string RealizedFont::FamilyFor(char32_t ch) {
    std::lock_guard lock(TextLock());
    SizedFace* face = FaceFor(ch);
    return face ? face->Family() : std::string();
}

SizedFace* RealizedFont::FallbackFace(size_t index) {
    if (!fallbacks_[index]) {
        auto face = OpenFace(faces_->Face(index));
        if (!face) return nullptr;
        // A fallback face keeps the request's style but not its own: a Latin bold font falling
        // back to a regular CJK face emboldens it.
        const FaceLocation& location = faces_->Face(index);
        const bool embolden = ClampedWeight(spec_.weight) >= 600 && location.weight < 600;
        const bool oblique = spec_.italic && !location.italic;
        fallbacks_[index] = std::make_unique<SizedFace>(face, ppem_, embolden, oblique);
    }
    return fallbacks_[index]->Valid() ? fallbacks_[index].get() : nullptr;
}

SizedFace* RealizedFont::FaceFor(char32_t ch) {
    if (!primary_ || !primary_->Valid()) return nullptr;
    if (ch < 0x20 || primary_->HasChar(ch)) return primary_.get();
    auto known = chosen_.find(ch);
    if (known != chosen_.end()) return known->second;
    SizedFace* chosen = primary_.get();  // nobody has it: the primary face's missing-glyph box
    for (size_t i = 1; i < faces_->Count(); ++i) {
        if (!faces_->Covers(i, ch)) continue;
        SizedFace* face = FallbackFace(i);
        if (face != nullptr && face->HasChar(ch)) {
            chosen = face;
            break;
        }
    }
    chosen_.emplace(ch, chosen);
    return chosen;
}

const GlyphImage& RealizedFont::Glyph(char32_t ch) {
    static const GlyphImage empty;
    SizedFace* face = FaceFor(ch);
    return face ? face->Glyph(ch) : empty;
}

int RealizedFont::Advance(char32_t ch) {
    return Glyph(ch).advance;
}

int RealizedFont::Measure(std::u32string_view text) {
    int width = 0;
    for (char32_t ch : text) width += Advance(ch);
    return width;
}

std::vector<PlacedGlyph> RealizedFont::Place(std::u32string_view text) {
    std::vector<PlacedGlyph> placed;
    placed.reserve(text.size());
    int x = 0;
    for (char32_t ch : text) {
        const GlyphImage& glyph = Glyph(ch);
        placed.push_back({&glyph, x});
        x += glyph.advance;
    }
    return placed;
}

namespace {

using FontCache = std::map<FontSpec, std::shared_ptr<RealizedFont>>;

FontCache& TheFontCache() {
    InitFontMatching();  // constructed first, destroyed last
    static FontCache cache;
    return cache;
}

}  // namespace

std::shared_ptr<RealizedFont> RealizeFont(const FontSpec& spec) {
    FontCache& cache = TheFontCache();
    std::lock_guard lock(TextLock());
    auto found = cache.find(spec);
    if (found != cache.end()) return found->second;
    if (cache.size() >= kFontCacheLimit) {
        // Drop fonts nobody holds any more; those in use stay.
        std::erase_if(cache, [](const auto& entry) { return entry.second.use_count() == 1; });
    }
    auto font = std::make_shared<RealizedFont>(spec);
    cache.emplace(spec, font);
    return font;
}

}  // namespace platform::text
