#include "skin/skin_picture.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "core/stream.h"
#include "skin/skin_package.h"

namespace skin {

namespace {
int32_t Le32(const uint8_t* p) {
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                                static_cast<uint32_t>(p[2]) << 16 |
                                static_cast<uint32_t>(p[3]) << 24);
}
int32_t Le16(const uint8_t* p) {
    return p[0] | p[1] << 8;
}
}  // namespace

TbsSkinPicture::TbsSkinPicture() : bitmap_(std::make_unique<graphics::TBitmap>()) {}
TbsSkinPicture::~TbsSkinPicture() = default;

void TbsSkinPicture::Clear() {
    bitmap_ = std::make_unique<graphics::TBitmap>();
    bytes_.clear();
    width_ = height_ = bitCount_ = 0;
}

int64_t TbsSkinPicture::LoadFromBytes(const uint8_t* data, int64_t size) {
    int64_t length = MeasureBmp(data, size);
    // The bitmap reader sees exactly this entry, whatever it would make of the bytes behind.
    core::TBytesStream entry(data, length);
    auto bitmap = std::make_unique<graphics::TBitmap>();
    bitmap->LoadFromStream(entry);
    bitmap_ = std::move(bitmap);
    bytes_.assign(data, data + length);
    const uint8_t* info = data + 14;
    if (Le32(info) == 12) {
        width_ = Le16(info + 4);
        height_ = Le16(info + 6);
        bitCount_ = Le16(info + 10);
    } else {
        width_ = Le32(info + 4);
        height_ = static_cast<int32_t>(
            std::min<int64_t>(std::llabs(static_cast<int64_t>(Le32(info + 8))), INT32_MAX));
        bitCount_ = Le16(info + 14);
    }
    return length;
}

}  // namespace skin
