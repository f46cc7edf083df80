#include "platform/gdi/metafile/emf_document.h"

#include "platform/gdi/metafile/byte_reader.h"
#include "platform/gdi/metafile/emf_format.h"

namespace platform::metafile {

namespace {

// Records are at least a type and a size.
constexpr uint32_t kRecordHeaderSize = 8;

FrameRect ReadRect(const ByteReader& r, size_t offset) {
    return {r.I32Or0(offset), r.I32Or0(offset + 4), r.I32Or0(offset + 8), r.I32Or0(offset + 12)};
}

bool Fail(std::string* why, const char* reason) {
    if (why) *why = reason;
    return false;
}

}  // namespace

std::optional<EmfDocument> EmfDocument::Parse(std::vector<uint8_t> bytes, std::string* why) {
    EmfDocument doc;
    doc.bytes_ = std::move(bytes);
    ByteReader r(doc.bytes_);

    if (!r.Has(0, header::kMinimumSize)) {
        Fail(why, "shorter than a header");
        return std::nullopt;
    }
    uint32_t headerSize = r.U32Or0(4);
    if (r.U32Or0(0) != EMR_HEADER || r.U32Or0(header::kSignature) != kEnhMetaSignature) {
        Fail(why, "no enhanced-metafile header");
        return std::nullopt;
    }
    if (headerSize < header::kMinimumSize || headerSize % 4 != 0 || !r.Has(0, headerSize)) {
        Fail(why, "header size out of range");
        return std::nullopt;
    }
    // The header's byte count wins over a longer buffer; a count beyond the buffer means the
    // file was cut off.
    uint32_t total = r.U32Or0(header::kBytes);
    if (total < headerSize || !r.Has(0, total)) {
        Fail(why, "byte count beyond the data");
        return std::nullopt;
    }
    doc.bytes_.resize(total);
    r = ByteReader(doc.bytes_);

    doc.headerSize_ = headerSize;
    doc.bounds_ = ReadRect(r, header::kBounds);
    doc.frame_ = ReadRect(r, header::kFrame);
    doc.handles_ = r.U16Or0(header::kHandles);
    ReferenceDevice device{{r.I32Or0(header::kDevice), r.I32Or0(header::kDevice + 4)},
                           {r.I32Or0(header::kMillimeters), r.I32Or0(header::kMillimeters + 4)}};
    bool usable = device.pixels.x > 0 && device.pixels.y > 0 && device.millimeters.x > 0 &&
                  device.millimeters.y > 0;
    doc.device_ = usable ? device : kScreenReference;

    // Walk the chain: every record must lie wholly inside the byte count. The walk ends at
    // the end-of-file record or at the end of the bytes, whichever comes first.
    uint32_t offset = 0;
    while (offset < total) {
        if (!r.Has(offset, kRecordHeaderSize)) {
            Fail(why, "record header cut off");
            return std::nullopt;
        }
        uint32_t type = r.U32Or0(offset);
        uint32_t size = r.U32Or0(offset + 4);
        if (size < kRecordHeaderSize || size % 4 != 0 || size > total - offset) {
            Fail(why, "record size out of range");
            return std::nullopt;
        }
        if (offset != 0 && type == EMR_HEADER) {
            Fail(why, "second header");
            return std::nullopt;
        }
        doc.records_.push_back({type, offset, size});
        offset += size;
        if (type == EMR_EOF) break;
    }
    return doc;
}

}  // namespace platform::metafile
