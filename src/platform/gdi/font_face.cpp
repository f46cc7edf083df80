#include "platform/gdi/font_face.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SIZES_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <map>
#include <mutex>

namespace platform::text {

class FreeTypeFace {
  public:
    FreeTypeFace(FT_Face face, std::string family) : face_(face), family_(std::move(family)) {}
    ~FreeTypeFace() { FT_Done_Face(face_); }
    FreeTypeFace(const FreeTypeFace&) = delete;
    FreeTypeFace& operator=(const FreeTypeFace&) = delete;
    FT_Face Get() const { return face_; }
    const std::string& Family() const { return family_; }

  private:
    FT_Face face_;
    std::string family_;
};

namespace {

std::atomic<uint64_t> renderedGlyphs{0};

class Library {
  public:
    Library() {
        if (FT_Init_FreeType(&library_) != 0) library_ = nullptr;
    }
    ~Library() = default;  // faces may outlive static destruction order; the process frees it

    std::shared_ptr<FreeTypeFace> Open(const FaceLocation& location) {
        std::lock_guard lock(mutex_);
        auto key = std::make_pair(location.file, location.index);
        auto found = faces_.find(key);
        if (found != faces_.end()) {
            if (auto face = found->second.lock()) return face;
        }
        if (library_ == nullptr) return nullptr;
        FT_Face face = nullptr;
        if (FT_New_Face(library_, location.file.c_str(), location.index, &face) != 0)
            return nullptr;
        FT_Select_Charmap(face, FT_ENCODING_UNICODE);
        std::string family = location.family;
        if (family.empty() && face->family_name != nullptr) family = face->family_name;
        auto shared = std::make_shared<FreeTypeFace>(face, family);
        faces_[key] = shared;
        return shared;
    }

  private:
    FT_Library library_ = nullptr;
    std::mutex mutex_;
    std::map<std::pair<std::string, int>, std::weak_ptr<FreeTypeFace>> faces_;
};

Library& TheLibrary() {
    static Library* library = new Library();  // lives for the whole process
    return *library;
}

int RoundScaled(long units, int ppem, int unitsPerEm) {
    if (unitsPerEm <= 0) return 0;
    return static_cast<int>(std::lround(static_cast<double>(units) * ppem / unitsPerEm));
}

void CopyBitmap(const FT_Bitmap& bitmap, GlyphImage& image) {
    image.width = static_cast<int>(bitmap.width);
    image.rows = static_cast<int>(bitmap.rows);
    const int srcPitch = bitmap.pitch < 0 ? -bitmap.pitch : bitmap.pitch;
    if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
        image.mono = true;
        image.pitch = (image.width + 7) / 8;
    } else {
        image.mono = false;
        image.pitch = image.width;
    }
    image.bits.assign(static_cast<size_t>(image.pitch) * image.rows, 0);
    if (bitmap.buffer == nullptr) return;
    const int grays = bitmap.num_grays > 1 ? bitmap.num_grays : 256;
    for (int y = 0; y < image.rows; ++y) {
        const int srcRow = bitmap.pitch < 0 ? image.rows - 1 - y : y;
        const uint8_t* src = bitmap.buffer + static_cast<size_t>(srcRow) * srcPitch;
        uint8_t* dst = image.bits.data() + static_cast<size_t>(y) * image.pitch;
        if (image.mono) {
            std::memcpy(dst, src, static_cast<size_t>(image.pitch));
        } else if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
            for (int x = 0; x < image.width; ++x)
                dst[x] = grays == 256 ? src[x] : static_cast<uint8_t>(src[x] * 255 / (grays - 1));
        }
        // Other pixel modes (colour, LCD) are not requested by the loader; they stay blank.
    }
}

}  // namespace

std::shared_ptr<FreeTypeFace> OpenFace(const FaceLocation& location) {
    return TheLibrary().Open(location);
}

DesignMetrics FaceDesignMetrics(const FreeTypeFace& face) {
    FT_Face f = face.Get();
    DesignMetrics m;
    m.unitsPerEm = f->units_per_EM;
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(f, FT_SFNT_OS2));
    if (os2 != nullptr && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        m.winAscent = os2->usWinAscent;
        m.winDescent = os2->usWinDescent;
    } else {
        m.winAscent = f->ascender;
        m.winDescent = -f->descender;
    }
    return m;
}

uint64_t RenderedGlyphCount() {
    return renderedGlyphs.load();
}

SizedFace::SizedFace(std::shared_ptr<FreeTypeFace> face, int ppem, bool embolden, bool oblique)
    : face_(std::move(face)),
      ppem_(std::clamp(ppem, 1, 2048)),
      embolden_(embolden),
      oblique_(oblique) {
    if (!face_) return;
    FT_Face f = face_->Get();
    FT_Size size = nullptr;
    if (FT_New_Size(f, &size) != 0) return;
    FT_Activate_Size(size);
    FT_Error error = 0;
    if (FT_IS_SCALABLE(f)) {
        error = FT_Set_Pixel_Sizes(f, 0, static_cast<FT_UInt>(ppem_));
    } else if (f->num_fixed_sizes > 0) {
        // A bitmap-only face: take the strike closest to the size asked for.
        int best = 0;
        for (int i = 1; i < f->num_fixed_sizes; ++i) {
            if (std::abs(f->available_sizes[i].height - ppem_) <
                std::abs(f->available_sizes[best].height - ppem_))
                best = i;
        }
        error = FT_Select_Size(f, best);
    }
    if (error != 0) {
        FT_Done_Size(size);
        return;
    }
    size_ = size;
    ComputeMetrics();
}

SizedFace::~SizedFace() {
    if (size_ != nullptr) FT_Done_Size(size_);
}

const std::string& SizedFace::Family() const {
    static const std::string none;
    return face_ ? face_->Family() : none;
}

void SizedFace::ComputeMetrics() {
    FT_Face f = face_->Get();
    if (FT_IS_SCALABLE(f)) {
        const DesignMetrics d = FaceDesignMetrics(*face_);
        metrics_.ascent = RoundScaled(d.winAscent, ppem_, d.unitsPerEm);
        metrics_.descent = RoundScaled(d.winDescent, ppem_, d.unitsPerEm);
        metrics_.maxCharWidth = RoundScaled(f->max_advance_width, ppem_, d.unitsPerEm);
        auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(f, FT_SFNT_OS2));
        if (os2 != nullptr && os2->version != 0xFFFF && os2->xAvgCharWidth > 0) {
            metrics_.aveCharWidth = RoundScaled(os2->xAvgCharWidth, ppem_, d.unitsPerEm);
            if (os2->yStrikeoutSize > 0) {
                metrics_.strikeoutPosition =
                    RoundScaled(os2->yStrikeoutPosition, ppem_, d.unitsPerEm);
                metrics_.strikeoutThickness =
                    std::max(1, RoundScaled(os2->yStrikeoutSize, ppem_, d.unitsPerEm));
            }
        } else {
            metrics_.aveCharWidth = std::max(1, ppem_ / 2);
        }
        if (f->underline_thickness > 0) {
            metrics_.underlineThickness =
                std::max(1, RoundScaled(f->underline_thickness, ppem_, d.unitsPerEm));
            metrics_.underlinePosition =
                std::max(1, RoundScaled(-f->underline_position, ppem_, d.unitsPerEm));
        }
    } else {
        const FT_Size_Metrics& sm = f->size->metrics;
        metrics_.ascent = static_cast<int>((sm.ascender + 32) >> 6);
        metrics_.descent = static_cast<int>((-sm.descender + 32) >> 6);
        metrics_.maxCharWidth = static_cast<int>((sm.max_advance + 32) >> 6);
        metrics_.aveCharWidth = std::max(1, metrics_.maxCharWidth / 2);
    }
    if (metrics_.underlinePosition <= 0)
        metrics_.underlinePosition = std::max(1, std::min(metrics_.descent - 1, ppem_ / 10 + 1));
    // The underline must stay inside the cell, or a clipped line would lose it.
    metrics_.underlinePosition = std::min(
        metrics_.underlinePosition, std::max(0, metrics_.descent - metrics_.underlineThickness));
    if (metrics_.strikeoutPosition <= 0)
        metrics_.strikeoutPosition = std::max(1, metrics_.ascent / 3);
    if (embolden_) {
        metrics_.aveCharWidth += 1;
        metrics_.maxCharWidth += 1;
    }
}

bool SizedFace::HasChar(char32_t ch) const {
    return face_ && FT_Get_Char_Index(face_->Get(), static_cast<FT_ULong>(ch)) != 0;
}

const GlyphImage& SizedFace::Glyph(char32_t ch) {
    auto found = glyphs_.find(ch);
    if (found != glyphs_.end()) return found->second;
    return glyphs_.emplace(ch, Render(ch)).first->second;
}

GlyphImage SizedFace::Render(char32_t ch) {
    GlyphImage image;
    if (size_ == nullptr) return image;
    renderedGlyphs.fetch_add(1);
    FT_Face f = face_->Get();
    FT_Activate_Size(size_);
    const FT_UInt index = FT_Get_Char_Index(f, static_cast<FT_ULong>(ch));
    // Slanting needs an outline, so an oblique face skips the bitmap strikes.
    FT_Int32 flags = FT_LOAD_DEFAULT;
    if (oblique_) flags |= FT_LOAD_NO_BITMAP;
    if (FT_Load_Glyph(f, index, flags) != 0 && FT_Load_Glyph(f, index, FT_LOAD_DEFAULT) != 0)
        return image;
    FT_GlyphSlot slot = f->glyph;
    if (oblique_ && slot->format == FT_GLYPH_FORMAT_OUTLINE) FT_GlyphSlot_Oblique(slot);
    if (embolden_) FT_GlyphSlot_Embolden(slot);
    image.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0)
        return image;
    CopyBitmap(slot->bitmap, image);
    image.left = slot->bitmap_left;
    image.top = slot->bitmap_top;
    return image;
}

}  // namespace platform::text
