#include "codecs/gif/gif_color_map.h"

#include <algorithm>

#include "codecs/gif/gif_stream.h"
#include "codecs/gif/gif_strings.h"

namespace codecs::gif {

int TGIFColorMap::CapacityFor(int count) {
    if (count <= 16) return 16;
    return std::min(kMaxColors, (count + 31) / 32 * 32);
}

int TGIFColorMap::BitsPerPixel() const {
    if (count_ == 0) return 0;
    int bits = 1;
    while ((1 << bits) < count_) ++bits;
    return bits;
}

void TGIFColorMap::SetCount(int count) {
    count = std::clamp(count, 0, kMaxColors);
    if (count > capacity_) capacity_ = CapacityFor(count);
    for (int i = count_; i < count; ++i) colors_[static_cast<size_t>(i)] = TGIFColor{};
    count_ = count;
}

void TGIFColorMap::Clear() {
    count_ = 0;
    capacity_ = 0;
    optimized_ = false;
}

int TGIFColorMap::Add(TGIFColor color) {
    if (count_ >= kMaxColors) throw GIFException(strings::SBadColorIndex);
    SetCount(count_ + 1);
    colors_[static_cast<size_t>(count_ - 1)] = color;
    return count_ - 1;
}

TGIFColor TGIFColorMap::Color(int index) const {
    if (count_ == 0) throw GIFException(strings::SEmptyColorTable);
    if (index < 0 || index >= count_) {
        Warning(TGIFSeverity::gsWarning, strings::SBadColorIndex);
        index = 0;
    }
    return colors_[static_cast<size_t>(index)];
}

void TGIFColorMap::LoadFromStream(core::TStream& stream, int count) {
    count = std::clamp(count, 0, kMaxColors);
    Clear();
    ReadExact(stream, colors_.data(), static_cast<int64_t>(count) * 3);
    count_ = count;
    capacity_ = CapacityFor(count);
}

}  // namespace codecs::gif
