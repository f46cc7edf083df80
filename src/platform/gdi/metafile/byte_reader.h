#pragma once
// Little-endian reads from a metafile's bytes. Every read is checked against the bytes that
// are there: a read past the end yields nothing instead of touching memory beyond the buffer.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>

namespace platform::metafile {

class ByteReader {
  public:
    explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    size_t Size() const { return bytes_.size(); }
    std::span<const uint8_t> Bytes() const { return bytes_; }

    // True when `count` bytes starting at `offset` lie inside the buffer (no overflow).
    bool Has(size_t offset, size_t count) const {
        return offset <= bytes_.size() && count <= bytes_.size() - offset;
    }

    std::optional<uint8_t> U8(size_t offset) const {
        if (!Has(offset, 1)) return std::nullopt;
        return bytes_[offset];
    }
    std::optional<uint16_t> U16(size_t offset) const {
        if (!Has(offset, 2)) return std::nullopt;
        return static_cast<uint16_t>(bytes_[offset] | (bytes_[offset + 1] << 8));
    }
    std::optional<int16_t> I16(size_t offset) const {
        auto v = U16(offset);
        if (!v) return std::nullopt;
        return static_cast<int16_t>(*v);
    }
    std::optional<uint32_t> U32(size_t offset) const {
        if (!Has(offset, 4)) return std::nullopt;
        return static_cast<uint32_t>(bytes_[offset]) |
               (static_cast<uint32_t>(bytes_[offset + 1]) << 8) |
               (static_cast<uint32_t>(bytes_[offset + 2]) << 16) |
               (static_cast<uint32_t>(bytes_[offset + 3]) << 24);
    }
    std::optional<int32_t> I32(size_t offset) const {
        auto v = U32(offset);
        if (!v) return std::nullopt;
        return static_cast<int32_t>(*v);
    }
    std::optional<float> F32(size_t offset) const {
        auto v = U32(offset);
        if (!v) return std::nullopt;
        float f;
        uint32_t raw = *v;
        std::memcpy(&f, &raw, sizeof f);
        return f;
    }
    // A sub-range, or an empty optional when it does not fit.
    std::optional<std::span<const uint8_t>> Slice(size_t offset, size_t count) const {
        if (!Has(offset, count)) return std::nullopt;
        return bytes_.subspan(offset, count);
    }

    // Unchecked-looking conveniences that return 0 past the end; for callers that have
    // already checked the record's size against its fixed layout.
    uint16_t U16Or0(size_t offset) const { return U16(offset).value_or(0); }
    int16_t I16Or0(size_t offset) const { return I16(offset).value_or(0); }
    uint32_t U32Or0(size_t offset) const { return U32(offset).value_or(0); }
    int32_t I32Or0(size_t offset) const { return I32(offset).value_or(0); }

  private:
    std::span<const uint8_t> bytes_;
};

}  // namespace platform::metafile
