#include "codecs/gif/lzw.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "codecs/gif/gif_stream.h"
#include "codecs/gif/gif_strings.h"
#include "codecs/gif/gif_types.h"

namespace codecs::gif {

namespace {

static_assert(std::endian::native == std::endian::little, "codes are read as little-endian words");

// Copies `length` bytes that lie wholly before `to`, eight at a time. Each chunk is loaded
// before it is stored, and up to 7 bytes past the string are written, so the caller makes
// sure there is room for them.
inline void CopyWide(uint8_t* to, const uint8_t* from, int length) {
    for (int i = 0; i < length; i += 8) {
        uint64_t chunk;
        std::memcpy(&chunk, from + i, 8);
        std::memcpy(to + i, &chunk, 8);
    }
}

}  // namespace

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
    for (int i = 0; i < clearCode_; ++i) {
        prefix_[i] = 0;
        suffix_[i] = static_cast<uint8_t>(i);
        length_[i] = 1;
        written_[i] = -1;
        packed_[i] = static_cast<uint64_t>(i & 0xFF);
    }
    // The clear and end codes' entries are never defined; the rest are set to (0, 0) only
    // when a table stops being consistent, since a consistent one never reads them.
    for (int i = clearCode_; i < nextCode_; ++i) {
        prefix_[i] = 0;
        suffix_[i] = 0;
        length_[i] = 0;  // the decode loop tells them from strings by their length
    }
    highWater_ = kTableSize;
}

// --- bit reader ---

inline int TGIFLZWDecoder::ReadCode() {
    if (bitPos_ + codeWidth_ >= bitCount_) {
        if (!Refill()) return -1;
        // A one-byte sub-block cannot complete a wide code; reading on past its end would
        // take stale bytes and, block after block, walk out of the buffer.
        while (bitPos_ + codeWidth_ > bitCount_)
            if (!Refill()) return -1;
    }
    uint32_t bits;  // the buffer is read as a little-endian number
    std::memcpy(&bits, buffer_.data() + (bitPos_ >> 3), 4);
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
    codeWidth_ = minCodeSize_ + 1;
    widthLimit_ = 2 * clearCode_;
    nextCode_ = clearCode_ + 2;
    pendingStart_ = kStackSize;
}

// Entries not yet defined read as prefix 0 and suffix 0 from here on.
void TGIFLZWDecoder::LeaveCleanMode() {
    clean_ = false;
    for (int i = nextCode_; i < highWater_; ++i) {
        prefix_[i] = 0;
        suffix_[i] = 0;
    }
    highWater_ = nextCode_;
}

int TGIFLZWDecoder::ProcessClear() {
    ResetTable();
    int code;
    do {
        code = ReadCode();
    } while (code == clearCode_);
    previous_ = code;
    first_ = code;
    clean_ = true;
    if (code >= clearCode_) LeaveCleanMode();
    return code;
}

void TGIFLZWDecoder::ProcessEnd() {
    endSeen_ = true;
    if (!zeroBlock_) SkipSubBlocks(stream_);
    // Nothing of this frame is left to read; later requests must not touch the next block.
    finished_ = zeroBlock_ = true;
}

// The new entry is the previous string followed by the current string's first value; in the
// output they stand side by side, so the entry's string starts where the previous one did.
inline void TGIFLZWDecoder::AddEntry(int64_t stringStart) {
    if (nextCode_ > kTableSize - 1) return;
    prefix_[nextCode_] = static_cast<uint16_t>(previous_);
    suffix_[nextCode_] = static_cast<uint8_t>(first_);
    if (clean_) {
        const int length = length_[previous_];
        length_[nextCode_] = static_cast<uint16_t>(length + 1);
        written_[nextCode_] = stringStart;
        packed_[nextCode_] =
            length < 8 ? packed_[previous_] | (static_cast<uint64_t>(first_ & 0xFF) << (8 * length))
                       : packed_[previous_];
    }
    ++nextCode_;
    highWater_ = std::max(highWater_, nextCode_);
    if (nextCode_ == widthLimit_ && widthLimit_ <= kTableSize - 1) {
        widthLimit_ *= 2;
        ++codeWidth_;
    }
}

// Copies a string that starts at pending_[start] (and runs to the end of pending_) into out;
// what does not fit stays pending.
int64_t TGIFLZWDecoder::Deliver(int start, uint8_t* out, int64_t room) {
    int length = kStackSize - start;
    int n = static_cast<int>(std::min<int64_t>(length, room));
    std::memcpy(out, pending_.data() + start, static_cast<size_t>(n));
    pendingStart_ = start + n;
    return n;
}

// A code of a consistent table: its length is known, so it is written straight into place,
// copied from where it was written before when that is in this call's buffer.
inline int64_t TGIFLZWDecoder::ExpandFast(int code, uint8_t* __restrict out, int64_t room) {
    const bool repeat = code == nextCode_;  // the code being defined: previous string + first
    const int string = repeat ? previous_ : code;
    const int stringLength = length_[string];
    const int length = stringLength + (repeat ? 1 : 0);
    const int64_t start = produced_;
    if (length + 8 <= room) {
        const int64_t source = written_[string];
        if (stringLength <= 8) {
            std::memcpy(out, &packed_[string], 8);
        } else if (source >= callStart_) {
            CopyWide(out, out - (start - source), stringLength);
        } else {
            int s = string;
            for (int i = stringLength - 1; i > 0; --i) {
                out[i] = suffix_[s];
                s = prefix_[s];
            }
            out[0] = suffix_[s];
        }
        if (repeat) out[length - 1] = static_cast<uint8_t>(first_);
        first_ = out[0];
    } else {
        uint8_t* target = length <= room ? out : pending_.data() + (kStackSize - length);
        int i = length - 1;
        int s = string;
        if (repeat) target[i--] = static_cast<uint8_t>(first_);
        for (; i > 0; --i) {
            target[i] = suffix_[s];
            s = prefix_[s];
        }
        target[0] = suffix_[s];
        first_ = target[0];
    }
    AddEntry(previousStart_);
    previous_ = code;
    previousStart_ = start;
    if (length <= room) return length;
    return Deliver(kStackSize - length, out, room);
}

// Any code, following the table as it stands; the expansion is bounded so that entries that
// name each other cannot loop for ever.
int64_t TGIFLZWDecoder::ExpandGeneral(int code, uint8_t* out, int64_t room) {
    if (clean_ && code > nextCode_) LeaveCleanMode();
    int pos = kStackSize;
    int string = code;
    if (code >= nextCode_) {
        pending_[static_cast<size_t>(--pos)] = static_cast<uint8_t>(first_);
        string = previous_;
    }
    while (string >= clearCode_) {
        if (prefix_[string] == string || pos <= 2) throw GIFException(strings::SCircularTable);
        pending_[static_cast<size_t>(--pos)] = suffix_[string];
        string = prefix_[string];
    }
    pending_[static_cast<size_t>(--pos)] = suffix_[string];
    first_ = suffix_[string];
    AddEntry(-1);
    previous_ = code;
    previousStart_ = -1;
    return Deliver(pos, out, room);
}

// The common case of ExpandFast with the decoder's state in locals (a store through `out` may
// change any member, so the members themselves would be reloaded after every value): codes of
// a consistent table whose bits lie in the sub-block at hand and whose strings fit the output
// and are short or were written in this call's output. Stops, leaving the code unread, at the
// first one it does not take; the caller goes on from there. Returns the new `done`.
// Per code it makes one check of the output room, and takes a string's first 8 values from
// its packed copy, which also gives the first value the next entry needs; the table stays
// complete (prefix and suffix too) for the general path and for codes that stop the run.
int64_t TGIFLZWDecoder::DecodeRun(uint8_t* __restrict out, int64_t done, int64_t count) {
    const int64_t callStart = callStart_;
    // A string is written with up to 7 bytes of slack behind it.
    const int64_t lastEnd = count - 8;
    int bitPos = bitPos_, width = codeWidth_, next = nextCode_, limit = widthLimit_;
    int bitEnd = bitCount_ - width;  // codes start before this bit
    // The previous string; its first value is the low byte of its packed values, and its
    // place in `out` may be before the start (negative) when an earlier call wrote it.
    int previous = previous_;
    int previousLength = length_[previous];
    uint64_t previousPacked = packed_[previous];
    int64_t previousDone = previousStart_ - callStart;
    while (bitPos < bitEnd) {
        uint32_t bits;
        std::memcpy(&bits, buffer_.data() + (bitPos >> 3), 4);
        const int code = static_cast<int>((bits >> (bitPos & 7)) & (limit - 1));
        int length;
        uint64_t head;  // the string's first values, up to 8
        if (code < next) {
            length = length_[code];  // 0 for the clear and end codes
            if (length == 0) break;
            head = packed_[code];
        } else if (code == next) {  // the code being defined: previous string + its first value
            length = previousLength + 1;
            head = previousLength < 8
                       ? previousPacked | ((previousPacked & 0xFF) << (8 * previousLength))
                       : previousPacked;
        } else {
            break;
        }
        if (done + length > lastEnd) break;
        uint8_t* const to = out + done;
        if (length <= 8) {
            std::memcpy(to, &head, 8);
        } else {
            const int64_t source = code == next ? previousDone : written_[code] - callStart;
            if (source < 0) break;
            // The code being defined overlaps its source, the previous string, which ends
            // where it begins: at least 8 values back, so each chunk is read complete.
            CopyWide(to, out + source, length);
        }
        bitPos += width;
        if (next < limit) {  // the limit is 1 << width, at most the table's size
            prefix_[next] = static_cast<uint16_t>(previous);
            suffix_[next] = static_cast<uint8_t>(head);
            length_[next] = static_cast<uint16_t>(previousLength + 1);
            if (previousLength < 8) {
                packed_[next] = previousPacked | ((head & 0xFF) << (8 * previousLength));
            } else {  // only strings longer than 8 values are copied from where they were
                packed_[next] = previousPacked;
                written_[next] = callStart + previousDone;
            }
            if (++next == limit && limit < kTableSize) {
                limit *= 2;
                ++width;
                bitEnd = bitCount_ - width;
            }
        }
        previous = code;
        previousLength = length;
        previousPacked = head;
        previousDone = done;
        done += length;
    }
    produced_ = callStart + done;
    bitPos_ = bitPos;
    codeWidth_ = width;
    nextCode_ = next;
    widthLimit_ = limit;
    previous_ = previous;
    first_ = static_cast<int>(previousPacked & 0xFF);
    highWater_ = std::max(highWater_, next);
    previousStart_ = callStart + previousDone;
    return done;
}

int64_t TGIFLZWDecoder::Decode(uint8_t* __restrict out, int64_t count) {
    int64_t done = 0;
    callStart_ = produced_;
    if (pendingStart_ < kStackSize) {
        done = Deliver(pendingStart_, out, count);
        produced_ += done;
    }
    while (done < count && !stopped_) {
        // Below a minimum code size of 2 the table starts past the width limit and codes
        // never widen; such data takes the general path.
        if (clean_ && !firstRequest_ && minCodeSize_ >= 2) {
            done = DecodeRun(out, done, count);
            if (done >= count) break;
        }
        int code;
        if (firstRequest_) {
            firstRequest_ = false;
            code = clearCode_;
        } else {
            code = ReadCode();
        }
        int64_t n;
        if (code == clearCode_) {
            code = ProcessClear();
            if (code < 0) break;
            out[done] = static_cast<uint8_t>(code);
            previousStart_ = produced_;
            n = 1;
        } else if (code < 0) {
            break;
        } else if (code == endCode_) {
            ProcessEnd();
            break;
        } else if (clean_ && code <= nextCode_) {
            n = ExpandFast(code, out + done, count - done);
        } else {
            n = ExpandGeneral(code, out + done, count - done);
        }
        done += n;
        produced_ += n;
    }
    if (done < count) stopped_ = true;
    return done;
}

void TGIFLZWDecoder::Finish() {
    pendingStart_ = kStackSize;
    stopped_ = true;
    if (endSeen_) return;
    // The end code normally follows the last pixel's code; whatever stands there, the rest of
    // the frame's sub-blocks is passed over so that the next block starts where it should.
    int code = firstRequest_ ? clearCode_ : ReadCode();
    firstRequest_ = false;
    if (code == endCode_) {
        ProcessEnd();
        return;
    }
    if (!zeroBlock_) SkipSubBlocks(stream_);
    finished_ = zeroBlock_ = true;
}

}  // namespace codecs::gif
