#pragma once
// A libjpeg decompressor whose every call runs guarded (see jpeg_session.h).
#include "codecs/jpeg/jpeg_session.h"

namespace codecs {

class JpegDecompressor : public JpegSession {
  public:
    JpegDecompressor();
    ~JpegDecompressor();

    jpeg_decompress_struct& Info() { return info_; }

    void ReadHeader();  // an image is required; tables-only files are an error
    bool HasMultipleScans();
    void StartDecompress();
    // Returns the number of rows delivered into `rows` (at most `maxRows`).
    int ReadScanlines(JSAMPARRAY rows, int maxRows);
    // Passes over `count` rows without making their pixels (their data is still decoded).
    // Not for quantized output, whose dithering carries over from row to row.
    void SkipScanlines(int count);
    void FinishDecompress();

    [[noreturn]] static void LeaveLibrary(j_decompress_ptr cinfo) {
        JpegSession::LeaveLibrary(reinterpret_cast<j_common_ptr>(cinfo));
    }

  private:
    jpeg_decompress_struct info_{};
    // Arguments and results of the steps, which pass through the trampoline as `this` only.
    JSAMPARRAY scanRows_ = nullptr;
    JDIMENSION scanMax_ = 0;
    JDIMENSION scanCount_ = 0;
    boolean multipleScans_ = FALSE;
};

}  // namespace codecs
