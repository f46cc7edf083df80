#pragma once
// The library's data source over a stream of JPEG bytes, read from the stream's start through
// a 4096-byte buffer. Running dry at the very start is the library's "empty input" error;
// running dry later is only a warning, and an end-of-image marker is supplied so that a
// truncated file decodes as far as its data goes.
//
// A memory stream (the picture keeps its file in one) is handed to the library in place, all
// of it in the first fill: no copy, and the library's fast Huffman decoder, which it only uses
// while some kilobytes of data lie ahead in the buffer, runs for the whole image instead of for
// the first quarter of every 4096 bytes.
#include <cstdint>

#include "codecs/jpeg/jpeg_decompressor.h"
#include "core/stream.h"

namespace codecs {

class JpegStreamSource {
  public:
    static constexpr int kBufferSize = 4096;

    // Binds itself as the decompressor's source; must outlive the decompressor's use of it.
    JpegStreamSource(JpegDecompressor& decompressor, core::TStream& stream);
    JpegStreamSource(const JpegStreamSource&) = delete;
    JpegStreamSource& operator=(const JpegStreamSource&) = delete;

  private:
    static JpegStreamSource& Of(j_decompress_ptr cinfo);
    static void InitSource(j_decompress_ptr cinfo) noexcept;
    static boolean FillInputBuffer(j_decompress_ptr cinfo) noexcept;
    static void SkipInputData(j_decompress_ptr cinfo, long count) noexcept;
    static void TermSource(j_decompress_ptr cinfo) noexcept;
    // Refills the buffer. False when the library must be left (the reason is then either a
    // deferred exception or the library message code already set).
    bool Refill(j_decompress_ptr cinfo) noexcept;

    jpeg_source_mgr manager_{};
    core::TStream* stream_;
    const core::TMemoryStream* memory_;  // the stream, when its bytes can be read in place
    int64_t position_ = 0;
    bool atStart_ = true;
    JOCTET buffer_[kBufferSize];
};

}  // namespace codecs
