#include "codecs/jpeg/jpeg_compressor.h"

#include <algorithm>
#include <type_traits>

#include "codecs/jpeg/jpeg_session.h"

namespace codecs {

namespace {

// A libjpeg compressor whose every call runs guarded (see jpeg_session.h), writing to a
// stream through a 4096-byte buffer.
class JpegCompressor : public JpegSession {
  public:
    static constexpr int kBufferSize = 4096;

    explicit JpegCompressor(core::TStream& output) : output_(&output) {
        info_.err = &error_.pub;
        Attach(reinterpret_cast<j_common_ptr>(&info_));
        try {
            Run([](void* self) { jpeg_create_compress(&Self(self).info_); });
        } catch (...) {
            RunQuietly([](void* self) { jpeg_destroy_compress(&Self(self).info_); });
            throw;
        }
        destination_.manager.init_destination = InitDestination;
        destination_.manager.empty_output_buffer = EmptyOutputBuffer;
        destination_.manager.term_destination = TermDestination;
        destination_.owner = this;
        info_.dest = &destination_.manager;
    }
    ~JpegCompressor() {
        RunQuietly([](void* self) { jpeg_destroy_compress(&Self(self).info_); });
    }

    jpeg_compress_struct& Info() { return info_; }

    void SetDefaults(int quality) {
        quality_ = quality;
        Run([](void* self) {
            auto& c = Self(self);
            jpeg_set_defaults(&c.info_);
            jpeg_set_quality(&c.info_, c.quality_, TRUE);
        });
    }
    void Start() {
        Run([](void* self) { jpeg_start_compress(&Self(self).info_, TRUE); });
    }
    void WriteRow(JSAMPROW row) {
        row_ = row;
        Run([](void* self) {
            auto& c = Self(self);
            jpeg_write_scanlines(&c.info_, &c.row_, 1);
        });
    }
    void Finish() {
        Run([](void* self) { jpeg_finish_compress(&Self(self).info_); });
    }

  private:
    struct DestinationRecord {
        jpeg_destination_mgr manager;
        JpegCompressor* owner;
    };

    static JpegCompressor& Self(void* self) { return *static_cast<JpegCompressor*>(self); }
    static JpegCompressor& Of(j_compress_ptr cinfo) {
        static_assert(std::is_standard_layout_v<DestinationRecord>);
        return *reinterpret_cast<DestinationRecord*>(cinfo->dest)->owner;
    }

    static void InitDestination(j_compress_ptr cinfo) noexcept {
        JpegCompressor& self = Of(cinfo);
        cinfo->dest->next_output_byte = self.buffer_;
        cinfo->dest->free_in_buffer = kBufferSize;
    }
    static boolean EmptyOutputBuffer(j_compress_ptr cinfo) noexcept {
        // The library hands over a full buffer here, whatever free_in_buffer says.
        if (!Of(cinfo).Flush(cinfo, kBufferSize))
            LeaveLibrary(reinterpret_cast<j_common_ptr>(cinfo));
        return TRUE;
    }
    static void TermDestination(j_compress_ptr cinfo) noexcept {
        size_t used = kBufferSize - cinfo->dest->free_in_buffer;
        if (!Of(cinfo).Flush(cinfo, used)) LeaveLibrary(reinterpret_cast<j_common_ptr>(cinfo));
    }
    bool Flush(j_compress_ptr cinfo, size_t count) noexcept {
        try {
            output_->WriteBuffer(buffer_, static_cast<int64_t>(count));
        } catch (...) {
            Defer(std::current_exception());
            return false;
        }
        cinfo->dest->next_output_byte = buffer_;
        cinfo->dest->free_in_buffer = kBufferSize;
        return true;
    }

    jpeg_compress_struct info_{};
    DestinationRecord destination_{};
    core::TStream* output_;
    int quality_ = 90;
    JSAMPROW row_ = nullptr;
    JOCTET buffer_[kBufferSize];
};

}  // namespace

void CompressBgrRows(int32_t width, int32_t height, int quality, const JpegRowSource& row,
                     core::TStream& output) {
    JpegCompressor compressor(output);
    jpeg_compress_struct& info = compressor.Info();
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_EXT_BGR;
    compressor.SetDefaults(std::clamp(quality, 1, 100));
    compressor.Start();
    for (int32_t y = 0; y < height; ++y)
        compressor.WriteRow(const_cast<JSAMPROW>(row(y)));  // the library only reads it
    compressor.Finish();
}

}  // namespace codecs
