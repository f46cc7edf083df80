#include "codecs/jpeg/jpeg_decompressor.h"

namespace codecs {

// The steps run between the trampoline's setjmp and the library; they hold no objects with
// destructors, because a library error jumps straight past them.
namespace {

JpegDecompressor& Self(void* self) {
    return *static_cast<JpegDecompressor*>(self);
}

}  // namespace

JpegDecompressor::JpegDecompressor() {
    info_.err = &error_.pub;
    Attach(reinterpret_cast<j_common_ptr>(&info_));  // creation keeps err and client_data
    try {
        Run([](void* self) { jpeg_create_decompress(&Self(self).Info()); });
    } catch (...) {
        // Creation can fail after taking some memory; destroying releases what it took.
        RunQuietly([](void* self) { jpeg_destroy_decompress(&Self(self).Info()); });
        throw;
    }
}

JpegDecompressor::~JpegDecompressor() {
    RunQuietly([](void* self) { jpeg_destroy_decompress(&Self(self).Info()); });
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

void JpegDecompressor::StartDecompress() {
    Run([](void* self) { jpeg_start_decompress(&Self(self).Info()); });
}

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

void JpegDecompressor::SkipScanlines(int count) {
    scanMax_ = static_cast<JDIMENSION>(count);
    Run([](void* self) {
        auto& d = Self(self);
        jpeg_skip_scanlines(&d.info_, d.scanMax_);
    });
}

void JpegDecompressor::FinishDecompress() {
    Run([](void* self) { jpeg_finish_decompress(&Self(self).Info()); });
}

}  // namespace codecs
