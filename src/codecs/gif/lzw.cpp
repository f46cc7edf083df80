#include "codecs/gif/lzw.h"

#include <algorithm>
#include <cstring>

#include "codecs/gif/gif_stream.h"
#include "codecs/gif/gif_strings.h"
#include "codecs/gif/gif_types.h"

namespace codecs::gif {

TGIFLZWDecoder::TGIFLZWDecoder(core::TStream& stream, Warn warn)
    : stream_(stream), warn_(std::move(warn)) {}

void TGIFLZWDecoder::Start(int minCodeSize) {
    // The clear code must leave room in the table for the end code and one entry.
    if (minCodeSize < 0 || minCodeSize > 11) throw GIFException(strings::SInvalidData);
    minCodeSize_ = minCodeSize;
    clearCode_ = 1 << minCodeSize;
    endCode_ = clearCode_ + 1;
    codeWidth_ = minCodeSize + 1;
    nextCode_ = clearCode_ + 2;
    widthLimit_ = 2 * clearCode_;
    for (int i = 0; i < kTableSize; ++i) {
        table_.Prefix[i] = 0;
        table_.Suffix[i] = i < clearCode_ ? static_cast<uint8_t>(i) : 0;
        table_.Length[i] = 1;
    }
    highWater_ = nextCode_;
}

// --- bit reader ---

inline int TGIFLZWDecoder::ReadCode() {
    if (firstRequest_) {
        firstRequest_ = false;
        return clearCode_;
    }
    if (bitPos_ + codeWidth_ >= bitCount_ && !Refill()) return -1;
    const uint8_t* p = buffer_.data() + (bitPos_ >> 3);
    uint32_t bits = p[0] | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16);
    int code = static_cast<int>((bits >> (bitPos_ & 7)) & ((1u << codeWidth_) - 1));
    bitPos_ += codeWidth_;
    return code;
}

bool TGIFLZWDecoder::Refill() {
    if (finished_) {
        if (bitPos_ >= bitCount_) warn_(strings::SBitBufferUnderrun);
        return false;
    }
    buffer_[0] = buffer_[static_cast<size_t>(endIndex_ - 2)];
    buffer_[1] = buffer_[static_cast<size_t>(endIndex_ - 1)];
    int size = ReadByteOrEnd(stream_);
    if (size < 0) return false;
    if (size > 0) {
        int64_t got = stream_.Read(buffer_.data() + 2, size);
        if (got < size) {
            warn_(strings::SPrematureEnd);
            size = static_cast<int>(got);
        }
    }
    if (size == 0) finished_ = zeroBlock_ = true;
    endIndex_ = size + 2;
    bitPos_ = bitPos_ - bitCount_ + 16;
    bitCount_ = (size + 2) * 8;
    return true;
}

// --- interpreter ---

void TGIFLZWDecoder::ResetTable() {
    // Entries below the clear code never change; the rest go back to (0, 0).
    for (int i = clearCode_; i < highWater_; ++i) {
        table_.Prefix[i] = 0;
        table_.Suffix[i] = 0;
    }
    codeWidth_ = minCodeSize_ + 1;
    widthLimit_ = 2 * clearCode_;
    nextCode_ = clearCode_ + 2;
    highWater_ = nextCode_;
    pendingStart_ = kStackSize;
}

int TGIFLZWDecoder::ProcessClear() {
    ResetTable();
    int code;
    do {
        code = ReadCode();
    } while (code == clearCode_);
    previous_ = code;
    first_ = code;
    clean_ = code >= 0 && code < clearCode_;
    return code;
}

void TGIFLZWDecoder::ProcessEnd() {
    endSeen_ = true;
    if (!zeroBlock_) SkipSubBlocks(stream_);
    // Nothing of this frame is left to read; later requests must not touch the next block.
    finished_ = zeroBlock_ = true;
}

inline void TGIFLZWDecoder::AddEntry() {
    if (nextCode_ > kTableSize - 1) return;
    table_.Prefix[nextCode_] = static_cast<uint16_t>(previous_);
    table_.Suffix[nextCode_] = static_cast<uint8_t>(first_);
    table_.Length[nextCode_] =
        clean_ ? static_cast<uint16_t>(table_.Length[previous_] + 1) : uint16_t{0};
    ++nextCode_;
    highWater_ = std::max(highWater_, nextCode_);
    if (nextCode_ == widthLimit_ && widthLimit_ <= kTableSize - 1) {
        widthLimit_ *= 2;
        ++codeWidth_;
    }
}

// Copies a string that starts at pending_[start] (and runs to the end of pending_) into out;
// what does not fit stays pending.
int TGIFLZWDecoder::Deliver(int start, uint8_t* out, int room) {
    int length = kStackSize - start;
    int n = std::min(length, room);
    std::memcpy(out, pending_.data() + start, static_cast<size_t>(n));
    pendingStart_ = start + n;
    return n;
}

// A code of a consistent table: its length is known, so it is written straight into place.
inline int TGIFLZWDecoder::ExpandFast(int code, uint8_t* out, int room) {
    const bool repeat = code == nextCode_;  // the code being defined: previous string + first
    int string = repeat ? previous_ : code;
    int length = table_.Length[string] + (repeat ? 1 : 0);
    uint8_t* target = length <= room ? out : pending_.data() + (kStackSize - length);
    int i = length - 1;
    if (repeat) target[i--] = static_cast<uint8_t>(first_);
    for (; i > 0; --i) {
        target[i] = table_.Suffix[string];
        string = table_.Prefix[string];
    }
    target[0] = table_.Suffix[string];
    first_ = target[0];
    AddEntry();
    previous_ = code;
    if (length <= room) return length;
    return Deliver(kStackSize - length, out, room);
}

// Any code, following the table as it stands; the expansion is bounded so that entries that
// name each other cannot loop for ever.
int TGIFLZWDecoder::ExpandGeneral(int code, uint8_t* out, int room) {
    if (code > nextCode_) clean_ = false;
    int pos = kStackSize;
    int string = code;
    if (code >= nextCode_) {
        pending_[static_cast<size_t>(--pos)] = static_cast<uint8_t>(first_);
        string = previous_;
    }
    while (string >= clearCode_) {
        if (table_.Prefix[string] == string || pos <= 2) throw GIFException(strings::SCircularTable);
        pending_[static_cast<size_t>(--pos)] = table_.Suffix[string];
        string = table_.Prefix[string];
    }
    pending_[static_cast<size_t>(--pos)] = table_.Suffix[string];
    first_ = table_.Suffix[string];
    AddEntry();
    previous_ = code;
    return Deliver(pos, out, room);
}

int TGIFLZWDecoder::Decode(uint8_t* out, int count) {
    int produced = 0;
    if (pendingStart_ < kStackSize) produced = Deliver(pendingStart_, out, count);
    while (produced < count && !stopped_) {
        int code = ReadCode();
        if (code == clearCode_) {
            code = ProcessClear();
            if (code < 0) break;
            out[produced++] = static_cast<uint8_t>(code);
        } else if (code < 0) {
            break;
        } else if (code == endCode_) {
            ProcessEnd();
            break;
        } else if (clean_ && code <= nextCode_) {
            produced += ExpandFast(code, out + produced, count - produced);
        } else {
            produced += ExpandGeneral(code, out + produced, count - produced);
        }
    }
    if (produced < count) stopped_ = true;
    return produced;
}

void TGIFLZWDecoder::Finish() {
    pendingStart_ = kStackSize;
    stopped_ = true;
    if (endSeen_) return;
    // The end code normally follows the last pixel's code; whatever stands there, the rest of
    // the frame's sub-blocks is passed over so that the next block starts where it should.
    if (ReadCode() == endCode_) {
        ProcessEnd();
        return;
    }
    if (!zeroBlock_) SkipSubBlocks(stream_);
    finished_ = zeroBlock_ = true;
}

}  // namespace codecs::gif
