#pragma once
// Streams that deflate into, or inflate from, another stream through zlib.
//
// Both keep a 4096-byte buffer and remember where they left the underlying stream, seeking it
// back there before each transfer in case someone else moved it. A negative zlib result raises
// ECompressionError "error" when compressing and EDecompressionError "compression error" when
// inflating.
#include <cstdint>
#include <functional>
#include <memory>

#include "core/stream.h"

namespace skin {

enum class TCompressionLevel { clNone, clFastest, clDefault, clMax };

// The zlib level of each named level: 0, 1, -1 and 9.
int ZlibLevel(TCompressionLevel level);

class TCustomZlibStream : public core::TStream {
  public:
    using TProgressEvent = std::function<void(TCustomZlibStream& sender)>;
    static constexpr int kBufferSize = 4096;

    ~TCustomZlibStream() override;
    TCustomZlibStream(const TCustomZlibStream&) = delete;
    TCustomZlibStream& operator=(const TCustomZlibStream&) = delete;

    // Called after each exchange of a buffer with the underlying stream.
    const TProgressEvent& OnProgress() const { return onProgress_; }
    void SetOnProgress(TProgressEvent handler) { onProgress_ = std::move(handler); }

  protected:
    struct ZState;
    explicit TCustomZlibStream(core::TStream& underlying);
    void Progress();
    void RestoreUnderlyingPosition();

    core::TStream& strm_;
    int64_t strmPos_;
    std::unique_ptr<ZState> z_;
    uint8_t buffer_[kBufferSize];

  private:
    TProgressEvent onProgress_;
};

// Deflates everything written to it into `destination`. The zlib stream is finished by
// Finish() or, at the latest, by the destructor (which cannot report a failure).
class TCompressionStream : public TCustomZlibStream {
  public:
    TCompressionStream(TCompressionLevel level, core::TStream& destination);
    ~TCompressionStream() override;

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    // Only a seek by 0 from the current position, answering the number of bytes consumed.
    int64_t Seek(int64_t offset, core::TSeekOrigin origin) override;

    void Finish();
    // Percentage of saved bytes so far (0 before anything was written).
    double CompressionRate() const;

  private:
    bool finished_ = false;
};

// Reads inflated bytes from `source`, starting at its current position.
class TDecompressionStream : public TCustomZlibStream {
  public:
    explicit TDecompressionStream(core::TStream& source);
    ~TDecompressionStream() override;

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    // Seeks forward only (by reading and discarding), or to 0 from the beginning (restart).
    // Answers the number of bytes produced so far.
    int64_t Seek(int64_t offset, core::TSeekOrigin origin) override;

  private:
    void Skip(int64_t count);
    bool ended_ = false;
};

}  // namespace skin
