#pragma once
// Builds small GIF files byte by byte for the tests, including hand-picked LZW code streams.
#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace gif_test {

using Bytes = std::vector<uint8_t>;

// Packs codes of given widths, least significant bit first, as the GIF format does.
class CodeWriter {
  public:
    void Put(int code, int width) {
        for (int i = 0; i < width; ++i) {
            if (bit_ == 0) bytes_.push_back(0);
            if (code & (1 << i)) bytes_.back() |= static_cast<uint8_t>(1 << bit_);
            bit_ = (bit_ + 1) & 7;
        }
    }
    const Bytes& bytes() const { return bytes_; }

  private:
    Bytes bytes_;
    int bit_ = 0;
};

// Codes for a run of pixel values, each sent as its own root code, with the code width
// following the decoder's table growth (one new entry per code after the first). No clear
// code is sent after the first, so long runs fill the table and go on at 12 bits.
inline Bytes LiteralCodes(int minCodeSize, const std::vector<int>& values, bool endCode = true) {
    CodeWriter writer;
    const int clear = 1 << minCodeSize;
    int width = minCodeSize + 1;
    int next = clear + 2;
    int limit = 2 * clear;
    writer.Put(clear, width);
    for (size_t i = 0; i < values.size(); ++i) {
        writer.Put(values[i], width);
        if (i == 0) continue;
        if (next <= 4095) {
            ++next;
            if (next == limit && limit <= 4095) {
                limit *= 2;
                ++width;
            }
        }
    }
    if (endCode) writer.Put(clear + 1, width);
    return writer.bytes();
}

// A real LZW encoder: strings already in the table are sent as one code. When the table is
// full it sends a clear code, or, with `deferClear`, goes on with the full table. Values must
// be below 1 << minCodeSize.
inline Bytes EncodeLzw(int minCodeSize, const std::vector<int>& values, bool deferClear = false) {
    CodeWriter writer;
    const int clear = 1 << minCodeSize;
    std::unordered_map<int, int> table;  // (prefix code << 12 | value) -> code
    int width = minCodeSize + 1;
    int next = clear + 2;
    writer.Put(clear, width);
    int string = -1;  // the code of the string matched so far
    for (int value : values) {
        if (string < 0) {
            string = value;
            continue;
        }
        auto found = table.find(string << 12 | value);
        if (found != table.end()) {
            string = found->second;
            continue;
        }
        writer.Put(string, width);
        if (next < 4096) {
            table[string << 12 | value] = next++;
            // The decoder adds its entries one code later, so it widens after this code.
            if (next == (1 << width) + 1 && width < 12) ++width;
        } else if (!deferClear) {
            writer.Put(clear, width);
            table.clear();
            width = minCodeSize + 1;
            next = clear + 2;
        }
        string = value;
    }
    if (string >= 0) writer.Put(string, width);
    writer.Put(clear + 1, width);
    return writer.bytes();
}

// Wraps data into sub-blocks of at most `blockSize` bytes, with the terminating zero block.
inline Bytes SubBlocks(const Bytes& data, size_t blockSize = 255, bool terminator = true) {
    Bytes out;
    for (size_t i = 0; i < data.size(); i += blockSize) {
        size_t n = std::min(blockSize, data.size() - i);
        out.push_back(static_cast<uint8_t>(n));
        out.insert(out.end(), data.begin() + static_cast<long>(i),
                   data.begin() + static_cast<long>(i + n));
    }
    if (terminator) out.push_back(0);
    return out;
}

class GifBuilder {
  public:
    // Header and screen descriptor; a global table of 2 << tableBits entries when asked.
    GifBuilder(int width, int height, int tableBits = 1, bool globalTable = true,
               const char* signature = "GIF89a") {
        Append(signature, 6);
        Word(width);
        Word(height);
        bytes_.push_back(static_cast<uint8_t>(globalTable ? 0x80 | tableBits : 0));
        bytes_.push_back(0);
        bytes_.push_back(0);
        if (globalTable)
            for (int i = 0; i < (2 << tableBits); ++i) Rgb(i * 10, i * 20, i * 30);
    }

    GifBuilder& GraphicControl(int packed, int delay, int transparentIndex) {
        Raw({0x21, 0xF9, 4, static_cast<uint8_t>(packed)});
        Word(delay);
        Raw({static_cast<uint8_t>(transparentIndex), 0});
        return *this;
    }
    GifBuilder& Comment(std::initializer_list<std::string> lines) {
        Raw({0x21, 0xFE});
        for (const auto& line : lines) {
            bytes_.push_back(static_cast<uint8_t>(line.size()));
            Append(line.data(), line.size());
        }
        bytes_.push_back(0);
        return *this;
    }
    // An application extension with the given identification block and data sub-blocks.
    GifBuilder& Application(const std::string& identification, const std::vector<Bytes>& blocks) {
        Raw({0x21, 0xFF, static_cast<uint8_t>(identification.size())});
        Append(identification.data(), identification.size());
        for (const auto& block : blocks) {
            bytes_.push_back(static_cast<uint8_t>(block.size()));
            bytes_.insert(bytes_.end(), block.begin(), block.end());
        }
        bytes_.push_back(0);
        return *this;
    }
    // Image descriptor (packed: 0x40 interlaced, 0x80 | n local table) and the LZW data as
    // given (minimum code size byte, then sub-blocks).
    GifBuilder& Image(int left, int top, int width, int height, int packed, int minCodeSize,
                      const Bytes& codes, size_t blockSize = 255) {
        bytes_.push_back(0x2C);
        Word(left);
        Word(top);
        Word(width);
        Word(height);
        bytes_.push_back(static_cast<uint8_t>(packed));
        if (packed & 0x80)
            for (int i = 0; i < (2 << (packed & 7)); ++i) Rgb(255 - i, 128, i);
        bytes_.push_back(static_cast<uint8_t>(minCodeSize));
        Bytes blocks = SubBlocks(codes, blockSize);
        bytes_.insert(bytes_.end(), blocks.begin(), blocks.end());
        return *this;
    }
    // A frame of literal pixels, row by row (or in the order the rows are sent when interlaced).
    GifBuilder& LiteralImage(int left, int top, int width, int height,
                             const std::vector<int>& values, int packed = 0, int minCodeSize = 2) {
        return Image(left, top, width, height, packed, minCodeSize,
                     LiteralCodes(minCodeSize, values));
    }
    GifBuilder& Raw(std::initializer_list<uint8_t> bytes) {
        bytes_.insert(bytes_.end(), bytes);
        return *this;
    }
    GifBuilder& Trailer() { return Raw({0x3B}); }
    const Bytes& bytes() const { return bytes_; }

  private:
    void Word(int value) {
        bytes_.push_back(static_cast<uint8_t>(value & 0xFF));
        bytes_.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
    }
    void Rgb(int r, int g, int b) {
        bytes_.push_back(static_cast<uint8_t>(r));
        bytes_.push_back(static_cast<uint8_t>(g));
        bytes_.push_back(static_cast<uint8_t>(b));
    }
    void Append(const void* data, size_t size) {
        auto p = static_cast<const uint8_t*>(data);
        bytes_.insert(bytes_.end(), p, p + size);
    }
    Bytes bytes_;
};

}  // namespace gif_test
