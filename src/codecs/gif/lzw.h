#pragma once
// The LZW decoder of GIF frame data: a bit reader over the data sub-blocks and the code
// interpreter that turns codes into colour indices.
#include <array>
#include <cstdint>
#include <functional>

#include "core/stream.h"

namespace codecs::gif {

class TGIFLZWDecoder {
  public:
    static constexpr int kTableSize = 4096;
    using Warn = std::function<void(const char* message)>;

    // Reads from `stream`; `warn` receives the problems that do not stop decoding.
    TGIFLZWDecoder(core::TStream& stream, Warn warn);

    // Sets up for the minimum code size; above 11 raises GIFException "Invalid GIF data".
    void Start(int minCodeSize);

    // Produces up to `count` colour indices into `out` and returns how many. Fewer than asked
    // means the data has ended (no more codes, or the end code); later calls produce nothing.
    // One call for a whole frame is fastest: strings are then copied from earlier output.
    int64_t Decode(uint8_t* __restrict out, int64_t count);
    bool Stopped() const { return stopped_; }

    // The frame is complete (or decoding stopped): consumes the end code and every sub-block
    // up to the frame's terminator, so that the next block is read from the right place.
    // Values still pending from the last code are dropped.
    void Finish();

  private:
    // One code's expansion: a first value, at most one step per table entry, and the root.
    static constexpr int kStackSize = kTableSize + 4;

    int ReadCode();
    bool Refill();
    int ProcessClear();
    void ProcessEnd();
    void ResetTable();
    void LeaveCleanMode();
    void AddEntry(int64_t stringStart);
    int64_t ExpandFast(int code, uint8_t* __restrict out, int64_t room);
    int64_t ExpandGeneral(int code, uint8_t* out, int64_t room);
    int64_t Deliver(int start, uint8_t* out, int64_t room);
    int64_t DecodeRun(uint8_t* __restrict out, int64_t done, int64_t count);

    core::TStream& stream_;
    Warn warn_;

    // Bit reader: two carried-over bytes, then one sub-block; a little slack for wide loads.
    std::array<uint8_t, 2 + 255 + 5> buffer_{};
    int bitPos_ = 0;
    int bitCount_ = 0;
    int endIndex_ = 2;
    bool finished_ = false;
    bool zeroBlock_ = false;
    bool firstRequest_ = true;

    // The code table: prefix code and suffix value of each entry, plus, for a consistent
    // table, the string's length and where in the output it was last written in full.
    std::array<uint16_t, kTableSize> prefix_;
    std::array<uint8_t, kTableSize> suffix_;
    std::array<uint16_t, kTableSize> length_;
    std::array<int64_t, kTableSize> written_;
    // The first 8 values of each string (all of a shorter one), first value in the lowest byte.
    std::array<uint64_t, kTableSize> packed_;

    int minCodeSize_ = 0;
    int clearCode_ = 0;
    int endCode_ = 0;
    int codeWidth_ = 0;
    int nextCode_ = 0;
    int widthLimit_ = 0;
    int highWater_ = 0;
    int previous_ = 0;
    int first_ = 0;
    // True while every entry below nextCode_ is a proper string with a known length. Codes
    // beyond the table or odd codes after a clear make entries that name later ones; those
    // take the general, bounded path until the next clear code.
    bool clean_ = true;
    bool endSeen_ = false;
    bool stopped_ = false;

    // Output positions count every value produced since Start, across calls; a string can be
    // copied from earlier output only when it lies in the current call's buffer.
    int64_t produced_ = 0;
    int64_t callStart_ = 0;
    int64_t previousStart_ = -1;

    // Values of the last code that did not fit, read from pendingStart_ up to the end.
    std::array<uint8_t, kStackSize> pending_{};
    int pendingStart_ = kStackSize;
};

}  // namespace codecs::gif
