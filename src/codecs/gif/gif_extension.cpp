#include "codecs/gif/gif_extension.h"

#include "codecs/gif/gif_extension_registry.h"
#include "codecs/gif/gif_stream.h"
#include "codecs/gif/gif_strings.h"
#include "codecs/gif/gif_sub_image.h"

namespace codecs::gif {

namespace {

template <typename T>
std::unique_ptr<TGIFExtension> Make(TGIFSubImage& owner) {
    return std::make_unique<T>(owner);
}

template <typename T>
TGIFExtensionClass LookAhead(core::TStream& stream) {
    return LookAheadApplication(stream, &T::kClass);
}

}  // namespace

const TGIFExtensionClassInfo TGIFGraphicControlExtension::kClass = {
    "TGIFGraphicControlExtension", 0xF9, &Make<TGIFGraphicControlExtension>, nullptr};
const TGIFExtensionClassInfo TGIFTextExtension::kClass = {"TGIFTextExtension", 0x01,
                                                          &Make<TGIFTextExtension>, nullptr};
const TGIFExtensionClassInfo TGIFCommentExtension::kClass = {"TGIFCommentExtension", 0xFE,
                                                             &Make<TGIFCommentExtension>, nullptr};
const TGIFExtensionClassInfo TGIFApplicationExtension::kClass = {
    "TGIFApplicationExtension", 0xFF, &Make<TGIFApplicationExtension>,
    &LookAhead<TGIFApplicationExtension>};
const TGIFExtensionClassInfo TGIFAppExtNSLoop::kClass = {
    "TGIFAppExtNSLoop", 0xFF, &Make<TGIFAppExtNSLoop>, &LookAhead<TGIFAppExtNSLoop>};
const TGIFExtensionClassInfo TGIFUnknownAppExtension::kClass = {
    "TGIFUnknownAppExtension", 0xFF, &Make<TGIFUnknownAppExtension>,
    &LookAhead<TGIFUnknownAppExtension>};

TGIFExtension::TGIFExtension(TGIFSubImage& owner) : TGIFItem(owner.Data()), owner_(owner) {}

void TGIFExtension::LoadFromStream(core::TStream& stream) {
    uint8_t head[2];
    ReadExact(stream, head, 2);
    if (head[0] != kExtensionIntroducer) throw GIFException(strings::SBadExtensionIntroducer);
    if (head[1] != Label()) throw GIFException(strings::SExtensionLabelMismatch);
    LoadBody(stream);
}

// --- graphic control ---

void TGIFGraphicControlExtension::LoadBody(core::TStream& stream) {
    int64_t got = stream.Read(body_.data(), static_cast<int64_t>(body_.size()));
    if (got < static_cast<int64_t>(body_.size())) {
        Warning(TGIFSeverity::gsWarning, strings::SPrematureEnd);
        return;
    }
    if (HasTransparency()) SubImage().SetTransparent(true);
}

// --- plain text ---

uint16_t TGIFTextExtension::Left() const {
    return LittleEndian16(&body_[1]);
}
uint16_t TGIFTextExtension::Top() const {
    return LittleEndian16(&body_[3]);
}
uint16_t TGIFTextExtension::GridWidth() const {
    return LittleEndian16(&body_[5]);
}
uint16_t TGIFTextExtension::GridHeight() const {
    return LittleEndian16(&body_[7]);
}

void TGIFTextExtension::LoadBody(core::TStream& stream) {
    ReadExact(stream, body_.data(), static_cast<int64_t>(body_.size()));
    text_ = ReadTextSubBlocks(stream);
}

// --- comment ---

void TGIFCommentExtension::LoadBody(core::TStream& stream) {
    text_ = ReadTextSubBlocks(stream);
}

// --- application ---

std::string TGIFApplicationExtension::Identification() const {
    return std::string(identification_.begin(), identification_.end());
}
std::string TGIFApplicationExtension::Identifier() const {
    return Identification().substr(0, 8);
}
std::string TGIFApplicationExtension::Authentication() const {
    return Identification().substr(8, 3);
}

void TGIFApplicationExtension::LoadBody(core::TStream& stream) {
    uint8_t blockSize = 0;
    ReadExact(stream, &blockSize, 1);
    if (blockSize < 10) throw GIFException(strings::SBadAppBlockSize);
    ReadExact(stream, identification_.data(), static_cast<int64_t>(identification_.size()));
    // A 10-byte block puts its last identification byte in the data that follows.
    stream.Seek(static_cast<int64_t>(blockSize) - 11, core::TSeekOrigin::soCurrent);
    LoadData(stream);
}

void TGIFApplicationExtension::LoadData(core::TStream& stream) {
    SkipSubBlocks(stream);
}

void TGIFAppExtNSLoop::LoadData(core::TStream& stream) {
    uint8_t block[255];
    for (int size = ReadByteOrEnd(stream); size > 0; size = ReadByteOrEnd(stream)) {
        ReadExact(stream, block, size);
        switch (block[0] & 7) {
            case 1:
                if (size < 3) throw GIFException(strings::SInvalidData);
                loops_ = LittleEndian16(&block[1]);
                break;
            case 2:
                if (size < 5) throw GIFException(strings::SInvalidData);
                bufferSize_ = LittleEndian32(&block[1]);
                break;
            default:
                break;
        }
    }
}

void TGIFUnknownAppExtension::LoadData(core::TStream& stream) {
    for (int size = ReadByteOrEnd(stream); size > 0; size = ReadByteOrEnd(stream)) {
        TGIFBlock block;
        block.Data.resize(static_cast<size_t>(size));
        ReadExact(stream, block.Data.data(), size);
        blocks_.push_back(std::move(block));
    }
}

}  // namespace codecs::gif
