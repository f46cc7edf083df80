#include "codecs/jpeg/jpeg_source.h"

#include <cstddef>
#include <type_traits>
#include <typeinfo>

#include <jerror.h>

namespace codecs {

JpegStreamSource::JpegStreamSource(JpegDecompressor& decompressor, core::TStream& stream)
    : stream_(&stream),
      // Exactly a memory stream: a derived one may read differently.
      memory_(typeid(stream) == typeid(core::TMemoryStream)
                  ? static_cast<const core::TMemoryStream*>(&stream)
                  : nullptr) {
    manager_.init_source = InitSource;
    manager_.fill_input_buffer = FillInputBuffer;
    manager_.skip_input_data = SkipInputData;
    manager_.resync_to_restart = jpeg_resync_to_restart;
    manager_.term_source = TermSource;
    decompressor.Info().src = &manager_;
}

JpegStreamSource& JpegStreamSource::Of(j_decompress_ptr cinfo) {
    static_assert(std::is_standard_layout_v<JpegStreamSource>);
    static_assert(offsetof(JpegStreamSource, manager_) == 0);
    return *reinterpret_cast<JpegStreamSource*>(cinfo->src);
}

void JpegStreamSource::InitSource(j_decompress_ptr cinfo) noexcept {
    JpegStreamSource& self = Of(cinfo);
    self.position_ = 0;
    self.atStart_ = true;
    self.manager_.next_input_byte = self.buffer_;
    self.manager_.bytes_in_buffer = 0;
}

boolean JpegStreamSource::FillInputBuffer(j_decompress_ptr cinfo) noexcept {
    if (!Of(cinfo).Refill(cinfo)) JpegDecompressor::LeaveLibrary(cinfo);
    return TRUE;
}

bool JpegStreamSource::Refill(j_decompress_ptr cinfo) noexcept {
    const JOCTET* bytes = buffer_;
    int64_t count = 0;
    if (memory_) {
        bytes = memory_->Memory() + position_;
        count = static_cast<int64_t>(memory_->Bytes().size()) - position_;
    } else {
        try {
            stream_->Seek(position_, core::TSeekOrigin::soBeginning);
            count = stream_->Read(buffer_, kBufferSize);
        } catch (...) {
            JpegSession::Of(reinterpret_cast<j_common_ptr>(cinfo)).Defer(std::current_exception());
            return false;
        }
    }
    if (count <= 0) {
        if (atStart_) {
            cinfo->err->msg_code = JERR_INPUT_EMPTY;
            return false;
        }
        // Warnings are ignored by the error manager, so decoding goes on with the marker.
        WARNMS(cinfo, JWRN_JPEG_EOF);
        buffer_[0] = 0xFF;
        buffer_[1] = JPEG_EOI;
        bytes = buffer_;
        count = 2;
    } else {
        position_ += count;
    }
    manager_.next_input_byte = bytes;
    manager_.bytes_in_buffer = static_cast<size_t>(count);
    atStart_ = false;
    return true;
}

void JpegStreamSource::SkipInputData(j_decompress_ptr cinfo, long count) noexcept {
    if (count <= 0) return;
    jpeg_source_mgr* manager = cinfo->src;
    while (count > static_cast<long>(manager->bytes_in_buffer)) {
        count -= static_cast<long>(manager->bytes_in_buffer);
        (*manager->fill_input_buffer)(cinfo);  // never suspends: it refills or leaves
    }
    manager->next_input_byte += count;
    manager->bytes_in_buffer -= static_cast<size_t>(count);
}

void JpegStreamSource::TermSource(j_decompress_ptr) noexcept {}

}  // namespace codecs
