#include "platform/gdi/metafile/emf_writer.h"

#include "platform/gdi/metafile/emf_format.h"

namespace platform::metafile {

namespace {
void Put32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(v >> (8 * i));
}
}  // namespace

EmfRecordBuilder& EmfRecordBuilder::U32(uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<uint8_t>(v >> (8 * i)));
    return *this;
}

EmfRecordBuilder& EmfRecordBuilder::U16(uint16_t v) {
    bytes_.push_back(static_cast<uint8_t>(v));
    bytes_.push_back(static_cast<uint8_t>(v >> 8));
    return *this;
}

EmfRecordBuilder& EmfRecordBuilder::Bytes(std::span<const uint8_t> bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return *this;
}

std::vector<uint8_t> EmfRecordBuilder::Finish() {
    while (bytes_.size() % 4 != 0) bytes_.push_back(0);
    Put32(bytes_, 4, static_cast<uint32_t>(bytes_.size()));
    return std::move(bytes_);
}

void EmfWriter::Add(std::vector<uint8_t> record) {
    body_.insert(body_.end(), record.begin(), record.end());
    ++records_;
}

std::vector<uint8_t> EmfWriter::Finish(const FrameRect& bounds, const FrameRect& frame,
                                       const ReferenceDevice& device, uint16_t handles) const {
    std::vector<uint8_t> eof = EmfRecordBuilder(EMR_EOF).U32(0).U32(0).U32(20).Finish();
    EmfRecordBuilder head(EMR_HEADER);
    head.Rect(bounds).Rect(frame).U32(kEnhMetaSignature).U32(0x10000);
    size_t total = header::kMinimumSize + body_.size() + eof.size();
    head.U32(static_cast<uint32_t>(total)).U32(static_cast<uint32_t>(records_ + 2));
    head.U16(handles).U16(0).U32(0).U32(0).U32(0);
    head.I32(device.pixels.x).I32(device.pixels.y);
    head.I32(device.millimeters.x).I32(device.millimeters.y);
    std::vector<uint8_t> out = head.Finish();
    out.insert(out.end(), body_.begin(), body_.end());
    out.insert(out.end(), eof.begin(), eof.end());
    return out;
}

}  // namespace platform::metafile
