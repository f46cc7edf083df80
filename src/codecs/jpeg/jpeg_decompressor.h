#pragma once
// A libjpeg decompressor whose every library call runs inside the guarded trampoline, so a
// library error arrives here as a status and leaves as a C++ exception (EJPEG, or whatever a
// callback raised) without ever unwinding through the library's frames.
#include <exception>

#include "codecs/jpeg/jpeg_guard.h"

namespace codecs {

class JpegDecompressor {
public:
    JpegDecompressor();
    ~JpegDecompressor();
    JpegDecompressor(const JpegDecompressor&) = delete;
    JpegDecompressor& operator=(const JpegDecompressor&) = delete;

    jpeg_decompress_struct& Info() { return info_; }

    void ReadHeader();  // an image is required; tables-only files are an error
    bool HasMultipleScans();
    void StartDecompress();
    // Returns the number of rows delivered into `rows` (at most `maxRows`).
    int ReadScanlines(JSAMPARRAY rows, int maxRows);
    void FinishDecompress();

    // The decompressor that owns a library structure, for callbacks.
    static JpegDecompressor& Of(j_common_ptr cinfo);
    static JpegDecompressor& Of(j_decompress_ptr cinfo);

    // A callback that caught an exception keeps it here, then leaves the library.
    void Defer(std::exception_ptr error) noexcept { deferred_ = std::move(error); }
    // Leaves the library through its error exit, back to the running guarded call. Only call
    // this from a frame that holds no objects with destructors: the jump skips it.
    [[noreturn]] static void LeaveLibrary(j_common_ptr cinfo);
    [[noreturn]] static void LeaveLibrary(j_decompress_ptr cinfo);

private:
    // Runs one library step through the trampoline; raises on failure.
    void Run(void (*step)(void* self));
    [[noreturn]] void RaiseFailure();

    jpeg_decompress_struct info_{};
    JpegErrorManager error_{};
    std::exception_ptr deferred_;
    bool failed_ = false;
    // Arguments and results of the steps, which pass through the trampoline as `this` only.
    JSAMPARRAY scanRows_ = nullptr;
    JDIMENSION scanMax_ = 0;
    JDIMENSION scanCount_ = 0;
    boolean multipleScans_ = FALSE;
};

}  // namespace codecs
