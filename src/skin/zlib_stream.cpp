#include "skin/zlib_stream.h"

#include <zlib.h>

#include <algorithm>
#include <climits>

#include "core/exceptions.h"
#include "core/resource_strings.h"
#include "skin/skin_strings.h"

namespace skin {

struct TCustomZlibStream::ZState {
    z_stream zs{};
};

namespace {

int CompressCheck(int code) {
    if (code < 0) throw core::ECompressionError(strings::SZlibCompressError);
    return code;
}

int DecompressCheck(int code) {
    if (code < 0) throw core::EDecompressionError(strings::SZlibDecompressError);
    return code;
}

// zlib counts in unsigned int; larger transfers go through in pieces.
constexpr int64_t kMaxChunk = UINT_MAX / 2;

}  // namespace

int ZlibLevel(TCompressionLevel level) {
    switch (level) {
        case TCompressionLevel::clNone:
            return 0;
        case TCompressionLevel::clFastest:
            return 1;
        case TCompressionLevel::clDefault:
            return -1;
        case TCompressionLevel::clMax:
            return 9;
    }
    return -1;
}

TCustomZlibStream::TCustomZlibStream(core::TStream& underlying)
    : strm_(underlying), strmPos_(underlying.Position()), z_(std::make_unique<ZState>()) {}

TCustomZlibStream::~TCustomZlibStream() = default;

void TCustomZlibStream::Progress() {
    if (onProgress_) onProgress_(*this);
}

void TCustomZlibStream::RestoreUnderlyingPosition() {
    if (strm_.Position() != strmPos_) strm_.SetPosition(strmPos_);
}

// ---- compression ----

TCompressionStream::TCompressionStream(TCompressionLevel level, core::TStream& destination)
    : TCustomZlibStream(destination) {
    z_->zs.next_out = buffer_;
    z_->zs.avail_out = kBufferSize;
    CompressCheck(deflateInit(&z_->zs, ZlibLevel(level)));
}

TCompressionStream::~TCompressionStream() {
    try {
        Finish();
    } catch (const core::Exception&) {
        // A destructor cannot report; callers that care call Finish() themselves.
    }
    deflateEnd(&z_->zs);
}

void TCompressionStream::Finish() {
    if (finished_) return;
    finished_ = true;
    z_stream& zs = z_->zs;
    zs.next_in = nullptr;
    zs.avail_in = 0;
    RestoreUnderlyingPosition();
    while (CompressCheck(deflate(&zs, Z_FINISH)) != Z_STREAM_END) {
        if (zs.avail_out != 0) continue;
        strm_.WriteBuffer(buffer_, kBufferSize);
        zs.next_out = buffer_;
        zs.avail_out = kBufferSize;
    }
    if (zs.avail_out < static_cast<uInt>(kBufferSize))
        strm_.WriteBuffer(buffer_, kBufferSize - zs.avail_out);
    zs.next_out = buffer_;
    zs.avail_out = kBufferSize;
    strmPos_ = strm_.Position();
}

int64_t TCompressionStream::Read(void*, int64_t) {
    throw core::ECompressionError(core::strings::SInvalidStreamOperation);
}

int64_t TCompressionStream::Write(const void* buffer, int64_t count) {
    if (count <= 0) return 0;
    if (finished_) throw core::ECompressionError(core::strings::SInvalidStreamOperation);
    z_stream& zs = z_->zs;
    RestoreUnderlyingPosition();
    const uint8_t* in = static_cast<const uint8_t*>(buffer);
    int64_t left = count;
    while (left > 0) {
        int64_t chunk = std::min(left, kMaxChunk);
        zs.next_in = const_cast<Bytef*>(in);
        zs.avail_in = static_cast<uInt>(chunk);
        while (zs.avail_in > 0) {
            CompressCheck(deflate(&zs, Z_NO_FLUSH));
            if (zs.avail_out == 0) {
                strm_.WriteBuffer(buffer_, kBufferSize);
                zs.next_out = buffer_;
                zs.avail_out = kBufferSize;
                strmPos_ = strm_.Position();
                Progress();
            }
        }
        in += chunk;
        left -= chunk;
    }
    return count;
}

int64_t TCompressionStream::Seek(int64_t offset, core::TSeekOrigin origin) {
    if (offset == 0 && origin == core::TSeekOrigin::soCurrent)
        return static_cast<int64_t>(z_->zs.total_in);
    throw core::ECompressionError(core::strings::SInvalidStreamOperation);
}

double TCompressionStream::CompressionRate() const {
    if (z_->zs.total_in == 0) return 0;
    return (1.0 - static_cast<double>(z_->zs.total_out) / static_cast<double>(z_->zs.total_in)) *
           100.0;
}

// ---- decompression ----

TDecompressionStream::TDecompressionStream(core::TStream& source) : TCustomZlibStream(source) {
    z_->zs.next_in = buffer_;
    z_->zs.avail_in = 0;
    DecompressCheck(inflateInit(&z_->zs));
}

TDecompressionStream::~TDecompressionStream() {
    inflateEnd(&z_->zs);
}

int64_t TDecompressionStream::Read(void* buffer, int64_t count) {
    if (count <= 0) return 0;
    z_stream& zs = z_->zs;
    RestoreUnderlyingPosition();
    uint8_t* out = static_cast<uint8_t*>(buffer);
    int64_t produced = 0;
    while (produced < count && !ended_) {
        if (zs.avail_in == 0) {
            int64_t got = strm_.Read(buffer_, kBufferSize);
            if (got <= 0) break;
            zs.next_in = buffer_;
            zs.avail_in = static_cast<uInt>(got);
            strmPos_ = strm_.Position();
            Progress();
        }
        int64_t chunk = std::min(count - produced, kMaxChunk);
        zs.next_out = out + produced;
        zs.avail_out = static_cast<uInt>(chunk);
        const uInt inBefore = zs.avail_in;
        int code = DecompressCheck(inflate(&zs, Z_NO_FLUSH));
        produced += chunk - zs.avail_out;
        // A stream that asks for a preset dictionary, or any other answer that neither takes
        // input nor gives output, would spin here forever: it is not a package of ours.
        if (code == Z_NEED_DICT ||
            (zs.avail_in == inBefore && zs.avail_out == chunk && code != Z_STREAM_END))
            throw core::EDecompressionError(strings::SZlibDecompressError);
        // Bytes behind the end of the zlib stream are not inflated; without this a trailing
        // byte would keep the loop waiting for output forever.
        if (code == Z_STREAM_END) ended_ = true;
    }
    return produced;
}

int64_t TDecompressionStream::Write(const void*, int64_t) {
    throw core::EDecompressionError(core::strings::SInvalidStreamOperation);
}

void TDecompressionStream::Skip(int64_t count) {
    uint8_t scratch[kBufferSize];
    while (count > 0) {
        int64_t n = std::min<int64_t>(count, kBufferSize);
        if (Read(scratch, n) != n) break;
        count -= n;
    }
}

int64_t TDecompressionStream::Seek(int64_t offset, core::TSeekOrigin origin) {
    z_stream& zs = z_->zs;
    const int64_t produced = static_cast<int64_t>(zs.total_out);
    if (offset == 0 && origin == core::TSeekOrigin::soBeginning) {
        DecompressCheck(inflateReset(&zs));
        zs.next_in = buffer_;
        zs.avail_in = 0;
        ended_ = false;
        strm_.SetPosition(0);
        strmPos_ = 0;
    } else if (origin == core::TSeekOrigin::soCurrent && offset >= 0) {
        Skip(offset);
    } else if (origin == core::TSeekOrigin::soBeginning && offset > produced) {
        Skip(offset - produced);
    } else {
        throw core::EDecompressionError(core::strings::SInvalidStreamOperation);
    }
    return static_cast<int64_t>(zs.total_out);
}

}  // namespace skin
