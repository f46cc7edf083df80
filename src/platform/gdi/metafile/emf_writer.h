#pragma once
// Builds enhanced-metafile bytes record by record. The Windows-metafile conversion writes
// through it, so a converted picture is an ordinary enhanced metafile that plays, and hands
// its bytes out, like any other.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/gdi/metafile/mapping.h"

namespace platform::metafile {

class EmfRecordBuilder {
  public:
    explicit EmfRecordBuilder(uint32_t type) { U32(type).U32(0); }

    EmfRecordBuilder& U32(uint32_t v);
    EmfRecordBuilder& I32(int32_t v) { return U32(static_cast<uint32_t>(v)); }
    EmfRecordBuilder& U16(uint16_t v);
    EmfRecordBuilder& Bytes(std::span<const uint8_t> bytes);
    EmfRecordBuilder& Rect(const FrameRect& r) {
        return I32(r.left).I32(r.top).I32(r.right).I32(r.bottom);
    }
    // Pads to a multiple of four and fills in the size.
    std::vector<uint8_t> Finish();
    size_t Size() const { return bytes_.size(); }

  private:
    std::vector<uint8_t> bytes_;
};

class EmfWriter {
  public:
    void Add(std::vector<uint8_t> record);
    size_t RecordCount() const { return records_; }

    // The header, the records added so far and an end-of-file record.
    std::vector<uint8_t> Finish(const FrameRect& bounds, const FrameRect& frame,
                                const ReferenceDevice& device, uint16_t handles) const;

  private:
    std::vector<uint8_t> body_;
    size_t records_ = 0;
};

}  // namespace platform::metafile
