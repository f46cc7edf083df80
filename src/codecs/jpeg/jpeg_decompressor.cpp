#include "codecs/jpeg/jpeg_decompressor.h"

#include <utility>

#include "codecs/jpeg/jpeg_error.h"

namespace codecs {

// The steps below run between the trampoline's setjmp and the library; they must hold no
// objects with destructors, because a library error jumps straight past them.
namespace {

JpegDecompressor& Self(void* self) { return *static_cast<JpegDecompressor*>(self); }

void CreateStep(void* self) { jpeg_create_decompress(&Self(self).Info()); }
void DestroyStep(void* self) { jpeg_destroy_decompress(&Self(self).Info()); }
void StartStep(void* self) { jpeg_start_decompress(&Self(self).Info()); }
void FinishStep(void* self) { jpeg_finish_decompress(&Self(self).Info()); }

}  // namespace

JpegDecompressor::JpegDecompressor() {
    info_.err = JpegErrorInit(&error_);
    if (JpegGuardedCall(&error_, CreateStep, this) != 0) {
        int code = error_.pub.msg_code;
        jpeg_destroy_decompress(&info_);  // releases whatever creation got to allocate
        throw EJPEG(code);
    }
    info_.client_data = this;
}

JpegDecompressor::~JpegDecompressor() {
    // Destroying never reports an error; the guard only keeps a surprise from returning into
    // the library.
    JpegGuardedCall(&error_, DestroyStep, this);
}

JpegDecompressor& JpegDecompressor::Of(j_common_ptr cinfo) {
    return *static_cast<JpegDecompressor*>(cinfo->client_data);
}

JpegDecompressor& JpegDecompressor::Of(j_decompress_ptr cinfo) {
    return *static_cast<JpegDecompressor*>(cinfo->client_data);
}

void JpegDecompressor::LeaveLibrary(j_common_ptr cinfo) {
    (*cinfo->err->error_exit)(cinfo);
    // The error exit never returns; should it ever, stopping is the only safe course.
    std::terminate();
}

void JpegDecompressor::LeaveLibrary(j_decompress_ptr cinfo) {
    LeaveLibrary(reinterpret_cast<j_common_ptr>(cinfo));
}

void JpegDecompressor::Run(void (*step)(void* self)) {
    // After an error the library's state is undefined; only destroying it is allowed.
    if (failed_) throw EJPEG(error_.pub.msg_code);
    if (JpegGuardedCall(&error_, step, this) != 0) RaiseFailure();
}

void JpegDecompressor::RaiseFailure() {
    failed_ = true;
    if (deferred_) std::rethrow_exception(std::exchange(deferred_, nullptr));
    throw EJPEG(error_.pub.msg_code);
}

void JpegDecompressor::ReadHeader() {
    Run([](void* self) { jpeg_read_header(&Self(self).Info(), TRUE); });
}

bool JpegDecompressor::HasMultipleScans() {
    Run([](void* self) {
        auto& d = Self(self);
        d.multipleScans_ = jpeg_has_multiple_scans(&d.info_);
    });
    return multipleScans_ != FALSE;
}

void JpegDecompressor::StartDecompress() { Run(StartStep); }

int JpegDecompressor::ReadScanlines(JSAMPARRAY rows, int maxRows) {
    scanRows_ = rows;
    scanMax_ = static_cast<JDIMENSION>(maxRows);
    scanCount_ = 0;
    Run([](void* self) {
        auto& d = Self(self);
        d.scanCount_ = jpeg_read_scanlines(&d.info_, d.scanRows_, d.scanMax_);
    });
    return static_cast<int>(scanCount_);
}

void JpegDecompressor::FinishDecompress() { Run(FinishStep); }

}  // namespace codecs
