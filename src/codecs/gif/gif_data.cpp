#include "codecs/gif/gif_data.h"

#include <algorithm>

#include "codecs/gif/gif_stream.h"
#include "codecs/gif/gif_strings.h"

namespace codecs::gif {

void TGIFItem::Warning(TGIFSeverity severity, const std::string& message) const {
    if (data_) data_->Warning(this, severity, message);
}

TGIFData::TGIFData() : header_(this) {}

void TGIFData::Clear() {
    images_.clear();
    header_.Clear();
    pixelsClaimed_ = 0;
}

void TGIFData::Warning(const void* sender, TGIFSeverity severity,
                       const std::string& message) const {
    if (onWarning_) onWarning_(sender, severity, message);
}

void TGIFData::Progress(TGIFProgressStage stage, int percent, bool redraw,
                        const std::string& message) {
    if (onProgress_) onProgress_(stage, percent, redraw, message);
}

void TGIFData::ClaimPixels(uint64_t pixels) {
    if (pixels > pixelBudget_ - pixelsClaimed_) throw core::EOutOfMemory(strings::SOutOfMemory);
    pixelsClaimed_ += pixels;
}

void TGIFData::LoadFromStream(core::TStream& stream) {
    Progress(TGIFProgressStage::psStarting, 0, false, strings::SLoading);
    try {
        Clear();
        const int64_t start = stream.Position();
        try {
            header_.LoadFromStream(stream, start);
            ReadFrames(stream);
            ReadTrailer(stream);
        } catch (...) {
            stream.SetPosition(start);
            throw;
        }
    } catch (...) {
        Progress(TGIFProgressStage::psEnding, 0, true, strings::SLoading);
        throw;
    }
    Progress(TGIFProgressStage::psEnding, 100, true, strings::SLoading);
}

void TGIFData::ReadFrames(core::TStream& stream) {
    SkipZeroBytes(stream);
    for (int byte = PeekByte(stream); byte >= 0 && byte != kTrailer; byte = PeekByte(stream)) {
        if (byte != kExtensionIntroducer && byte != kImageSeparator) {
            Warning(this, TGIFSeverity::gsWarning, strings::SUnknownBlock);
            break;
        }
        auto image = std::make_unique<TGIFSubImage>(this);
        image->LoadFromStream(stream);
        images_.push_back(std::move(image));
        int64_t size = stream.Size();
        int percent =
            size > 0 ? static_cast<int>(std::min<int64_t>(stream.Position(), size) * 100 / size)
                     : 0;
        Progress(TGIFProgressStage::psRunning, percent, false, strings::SLoading);
        SkipZeroBytes(stream);
    }
}

void TGIFData::ReadTrailer(core::TStream& stream) {
    int byte = ReadByteOrEnd(stream);
    if (byte >= 0 && byte != kTrailer) Warning(this, TGIFSeverity::gsWarning, strings::SBadTrailer);
}

}  // namespace codecs::gif
