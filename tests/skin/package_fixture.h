#pragma once
// Small BMP files and hand-made skin packages for the skin tests.
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/stream.h"
#include "skin/compressed_stored_skin.h"
#include "skin/skin_package.h"

namespace skin_test {

// A valid BMP file of the given size and depth (all pixels zero).
inline std::vector<uint8_t> TinyBmp(int32_t width, int32_t height, uint16_t bits) {
    uint32_t palette = bits <= 8 ? (1u << bits) * 4 : 0;
    uint32_t stride = ((static_cast<uint32_t>(width) * bits + 31) / 32) * 4;
    uint32_t image = stride * static_cast<uint32_t>(height < 0 ? -height : height);
    uint32_t offset = 54 + palette;
    std::vector<uint8_t> out;
    auto put = [&](uint32_t v, int n) {
        for (int i = 0; i < n; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    out.push_back('B');
    out.push_back('M');
    put(offset + image, 4);
    put(0, 4);
    put(offset, 4);
    put(40, 4);
    put(static_cast<uint32_t>(width), 4);
    put(static_cast<uint32_t>(height), 4);
    put(1, 2);
    put(bits, 2);
    put(0, 4);
    put(image, 4);
    out.resize(out.size() + 16, 0);  // resolution and colour counts
    out.resize(out.size() + palette + image, 0);
    return out;
}

class PackageBuilder {
  public:
    PackageBuilder& Int(int32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes_.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
        return *this;
    }
    PackageBuilder& Flag(uint8_t f) {
        bytes_.push_back(f);
        return *this;
    }
    PackageBuilder& Bmp(const std::vector<uint8_t>& b) {
        bytes_.insert(bytes_.end(), b.begin(), b.end());
        return *this;
    }
    PackageBuilder& Text(std::string_view t) {
        bytes_.insert(bytes_.end(), t.begin(), t.end());
        return *this;
    }
    const std::vector<uint8_t>& Bytes() const { return bytes_; }

  private:
    std::vector<uint8_t> bytes_;
};

inline void StoreCompressed(skin::TbsCompressedStoredSkin& stored,
                            const std::vector<uint8_t>& package) {
    core::TMemoryStream compressed;
    skin::CompressPackage(package, compressed);
    stored.SetCompressedData(compressed.Memory(), compressed.Size());
}

// A minimal skin text with one object and one control.
inline constexpr std::string_view kSmallSkinText =
    "[VERSION]\r\nskinname=Small\r\n"
    "[PICTURES]\r\npicture=main.bmp\r\nactivepicturescount=1\r\n0=a.bmp\r\n"
    "[FORMINFO]\r\nclientrect=1,1,3,3\r\n"
    "[SKINOBJECTS]\r\ncount=1\r\n0=closebutton:stdbutton\r\n"
    "[closebutton]\r\ncommand=cmclose\r\n"
    "[SKINCONTROLS]\r\ncount=1\r\n0=button:button\r\n"
    "[button]\r\nskinrect=0,0,2,2\r\n";

}  // namespace skin_test
