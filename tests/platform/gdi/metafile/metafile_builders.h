#pragma once
// Small writers for hand-made test pictures, following the public record layouts. Pictures
// made by an independent program live in tests/data/metafile.
#include <cstdint>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "platform/gdi/metafile/emf_format.h"
#include "platform/gdi/metafile/emf_writer.h"

namespace metafile_test {

using platform::metafile::EmfRecordBuilder;
using platform::metafile::EmfWriter;
using platform::metafile::FrameRect;
using platform::metafile::ReferenceDevice;

inline std::vector<uint8_t> ReadTestFile(const std::string& name) {
    std::ifstream in(std::string(TEMBRIN_TEST_DATA) + "/metafile/" + name, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// A Windows metafile: header, records of 16-bit words, end record.
class WmfBuilder {
  public:
    // Parameters are given as words in file order.
    WmfBuilder& Record(uint16_t function, std::initializer_list<uint16_t> words) {
        return Record(function, std::vector<uint16_t>(words));
    }
    WmfBuilder& Record(uint16_t function, const std::vector<uint16_t>& words) {
        uint32_t size = static_cast<uint32_t>(3 + words.size());
        Word(static_cast<uint16_t>(size)).Word(static_cast<uint16_t>(size >> 16)).Word(function);
        for (uint16_t w : words) Word(w);
        return *this;
    }
    std::vector<uint8_t> Finish() {
        Record(0, {});
        std::vector<uint8_t> out;
        uint32_t totalWords = static_cast<uint32_t>(9 + body_.size() / 2);
        auto put16 = [&](uint16_t v) {
            out.push_back(static_cast<uint8_t>(v));
            out.push_back(static_cast<uint8_t>(v >> 8));
        };
        put16(1);
        put16(9);
        put16(0x0300);
        put16(static_cast<uint16_t>(totalWords));
        put16(static_cast<uint16_t>(totalWords >> 16));
        put16(8);
        put16(0);
        put16(0);
        put16(0);
        out.insert(out.end(), body_.begin(), body_.end());
        return out;
    }

  private:
    WmfBuilder& Word(uint16_t w) {
        body_.push_back(static_cast<uint8_t>(w));
        body_.push_back(static_cast<uint8_t>(w >> 8));
        return *this;
    }
    std::vector<uint8_t> body_;
};

inline uint16_t Lo(uint32_t v) {
    return static_cast<uint16_t>(v);
}
inline uint16_t Hi(uint32_t v) {
    return static_cast<uint16_t>(v >> 16);
}
inline uint16_t W(int v) {
    return static_cast<uint16_t>(static_cast<int16_t>(v));
}

// An enhanced metafile on a 96-dpi reference device whose frame covers device pixels 0 to
// widthPx - 1 and 0 to heightPx - 1 inclusive, as frames are recorded. With widthPx - 1 a
// multiple of 24 the frame is a whole number of hundredths of a millimetre, so playing it
// into (0, 0, widthPx - 1, heightPx - 1) maps one logical unit onto one pixel exactly.
class EmfBuilder {
  public:
    EmfBuilder(int widthPx, int heightPx) : width_(widthPx), height_(heightPx) {}
    EmfBuilder& Add(std::vector<uint8_t> record) {
        writer_.Add(std::move(record));
        return *this;
    }
    EmfBuilder& Value(uint32_t type, uint32_t value) {
        return Add(EmfRecordBuilder(type).U32(value).Finish());
    }
    EmfBuilder& Pair(uint32_t type, int32_t a, int32_t b) {
        return Add(EmfRecordBuilder(type).I32(a).I32(b).Finish());
    }
    EmfBuilder& Box(uint32_t type, int32_t l, int32_t t, int32_t r, int32_t b) {
        return Add(EmfRecordBuilder(type).I32(l).I32(t).I32(r).I32(b).Finish());
    }
    EmfBuilder& Brush(uint32_t index, uint32_t color, uint32_t style = 0) {
        return Add(EmfRecordBuilder(platform::metafile::EMR_CREATEBRUSHINDIRECT)
                       .U32(index)
                       .U32(style)
                       .U32(color)
                       .U32(0)
                       .Finish());
    }
    EmfBuilder& Pen(uint32_t index, uint32_t style, int32_t width, uint32_t color) {
        return Add(EmfRecordBuilder(platform::metafile::EMR_CREATEPEN)
                       .U32(index)
                       .U32(style)
                       .I32(width)
                       .I32(0)
                       .U32(color)
                       .Finish());
    }
    std::vector<uint8_t> Finish(uint16_t handles = 8) const {
        // 96 dpi: 1920 x 1440 px on 508 x 381 mm.
        ReferenceDevice device{{1920, 1440}, {508, 381}};
        FrameRect frame{0, 0, (width_ - 1) * 2540 / 96, (height_ - 1) * 2540 / 96};
        return writer_.Finish({0, 0, width_ - 1, height_ - 1}, frame, device, handles);
    }

  private:
    int width_, height_;
    EmfWriter writer_;
};

}  // namespace metafile_test
