#pragma once
// An enhanced metafile held in memory: its bytes, the header fields playback needs and an
// index of its records. Building one checks the whole record chain, so playback walks only
// records whose size lies inside the bytes.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/gdi/metafile/mapping.h"

namespace platform::metafile {

struct RecordRef {
    uint32_t type = 0;
    uint32_t offset = 0;  // from the start of the metafile
    uint32_t size = 0;    // bytes, including the 8-byte type and size
};

// The reference device playback assumes when a header names an empty one: the screen.
inline constexpr ReferenceDevice kScreenReference{{1920, 1440}, {508, 381}};

class EmfDocument {
  public:
    // Checks the header and the record chain. On failure returns nothing and, when `why` is
    // given, says which check failed.
    static std::optional<EmfDocument> Parse(std::vector<uint8_t> bytes, std::string* why = nullptr);

    const std::vector<uint8_t>& Bytes() const { return bytes_; }
    const std::vector<RecordRef>& Records() const { return records_; }
    std::span<const uint8_t> RecordBytes(const RecordRef& r) const {
        return std::span<const uint8_t>(bytes_).subspan(r.offset, r.size);
    }

    FrameRect Bounds() const { return bounds_; }
    FrameRect Frame() const { return frame_; }
    uint16_t HandleCount() const { return handles_; }
    // The device as the header names it; an empty one is replaced by the screen.
    ReferenceDevice Device() const { return device_; }
    uint32_t HeaderSize() const { return headerSize_; }

  private:
    std::vector<uint8_t> bytes_;
    std::vector<RecordRef> records_;
    FrameRect bounds_;
    FrameRect frame_;
    uint16_t handles_ = 0;
    ReferenceDevice device_;
    uint32_t headerSize_ = 0;
};

}  // namespace platform::metafile
