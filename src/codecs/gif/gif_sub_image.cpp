#include "codecs/gif/gif_sub_image.h"

#include <algorithm>
#include <cstring>

#include "codecs/gif/gif_data.h"
#include "codecs/gif/gif_extension_registry.h"
#include "codecs/gif/gif_stream.h"
#include "codecs/gif/gif_strings.h"
#include "codecs/gif/lzw.h"

namespace codecs::gif {

const TGIFColorMap& TGIFSubImage::ActiveColorMap() const {
    if (colorMap_.Count() > 0) return colorMap_;
    if (Data() && Data()->GlobalColorMap().Count() > 0) return Data()->GlobalColorMap();
    return colorMap_;
}

void TGIFSubImage::LoadFromStream(core::TStream& stream) {
    ReadExtensions(stream);
    int next = PeekByte(stream);
    if (next < 0 || next == kTrailer || next == 0) return;  // extensions only
    ReadDescriptor(stream);
    if (HasLocalColorMap()) colorMap_.LoadFromStream(stream, 2 << (descriptor_.PackedFields & 7));
    DecodePixels(stream);
}

void TGIFSubImage::ReadExtensions(core::TStream& stream) {
    int byte = ReadByteOrEnd(stream);
    while (byte >= 0 && byte != kImageSeparator && byte != kTrailer) {
        if (byte != kExtensionIntroducer) {
            Warning(TGIFSeverity::gsWarning, strings::SBadExtensionIntroducer);
            break;
        }
        TGIFExtensionClass extensionClass = IdentifyExtension(stream);
        if (!extensionClass) throw GIFException(strings::SUnknownExtension);
        stream.Seek(-1, core::TSeekOrigin::soCurrent);
        std::unique_ptr<TGIFExtension> extension = extensionClass->Create(*this);
        extension->LoadFromStream(stream);
        if (!graphicControl_ && extensionClass == &TGIFGraphicControlExtension::kClass)
            graphicControl_ = static_cast<const TGIFGraphicControlExtension*>(extension.get());
        extensions_.push_back(std::move(extension));
        byte = ReadByteOrEnd(stream);
    }
    // The byte that ended the list is read again by whoever comes next. At the end of the
    // stream there is no such byte, and stepping back would re-read extension data.
    if (byte >= 0) stream.Seek(-1, core::TSeekOrigin::soCurrent);
}

void TGIFSubImage::ReadDescriptor(core::TStream& stream) {
    uint8_t bytes[10];
    ReadExact(stream, bytes, 10);
    descriptor_.Separator = bytes[0];
    descriptor_.Left = LittleEndian16(&bytes[1]);
    descriptor_.Top = LittleEndian16(&bytes[3]);
    descriptor_.Width = LittleEndian16(&bytes[5]);
    descriptor_.Height = LittleEndian16(&bytes[7]);
    descriptor_.PackedFields = bytes[9];
    if (descriptor_.Width == 0 || descriptor_.Height == 0) {
        descriptor_.Width = static_cast<uint16_t>(Data()->Width());
        descriptor_.Height = static_cast<uint16_t>(Data()->Height());
        Warning(TGIFSeverity::gsWarning, strings::SImageExceedsScreen);
    }
}

namespace {

// Room for the decoder's eight-byte string copies past the last pixel.
constexpr size_t kDecodeSlack = 8;

std::unique_ptr<uint8_t[]> AllocatePixels(size_t count) {
    try {
        return std::unique_ptr<uint8_t[]>(new uint8_t[count + kDecodeSlack]);
    } catch (const std::bad_alloc&) {
        throw core::EOutOfMemory(strings::SOutOfMemory);
    }
}

}  // namespace

void TGIFSubImage::DecodePixels(core::TStream& stream) {
    const size_t count = static_cast<size_t>(Width()) * static_cast<size_t>(Height());
    Data()->ClaimPixels(count);
    // Pixels the data never reaches keep this value.
    const uint8_t fill =
        transparent_ && graphicControl_ ? graphicControl_->TransparentColorIndex() : 0;
    pixels_ = AllocatePixels(count);
    pixelCount_ = count;
    hasImage_ = true;

    // Interlaced rows arrive out of order; they are decoded in the order sent and then moved.
    std::unique_ptr<uint8_t[]> sent = Interlaced() ? AllocatePixels(count) : nullptr;
    uint8_t* target = sent ? sent.get() : pixels_.get();
    size_t decoded = 0;
    int minCodeSize = ReadByteOrEnd(stream);
    if (minCodeSize >= 0) {
        TGIFLZWDecoder decoder(
            stream, [this](const char* message) { Warning(TGIFSeverity::gsWarning, message); });
        decoder.Start(minCodeSize);
        if (count > 0)
            decoded = static_cast<size_t>(decoder.Decode(target, static_cast<int64_t>(count)));
        // Also for a frame without pixels: its data must not be read as the next block.
        decoder.Finish();
    }
    std::memset(target + decoded, fill, count - decoded);
    if (sent) Deinterlace(sent.get());
}

void TGIFSubImage::Deinterlace(const uint8_t* sent) {
    static constexpr int kFirstRow[4] = {0, 4, 2, 1};
    static constexpr int kStep[4] = {8, 8, 4, 2};
    const size_t width = static_cast<size_t>(Width());
    for (int pass = 0; pass < 4; ++pass)
        for (int row = kFirstRow[pass]; row < Height(); row += kStep[pass]) {
            std::memcpy(pixels_.get() + static_cast<size_t>(row) * width, sent, width);
            sent += width;
        }
}

}  // namespace codecs::gif
