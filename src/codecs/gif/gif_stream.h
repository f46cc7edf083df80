#pragma once
// Small readers over a stream that every part of the GIF loader shares.
#include <cstdint>
#include <string>
#include <vector>

#include "core/stream.h"

namespace codecs::gif {

// Reads exactly `count` bytes or raises GIFException "Premature end of data".
void ReadExact(core::TStream& stream, void* buffer, int64_t count);

// The next byte, or -1 at the end of the stream.
int ReadByteOrEnd(core::TStream& stream);

// The next byte without consuming it, or -1 at the end of the stream.
int PeekByte(core::TStream& stream);

// Moves past zero bytes; the first non-zero byte stays unread.
void SkipZeroBytes(core::TStream& stream);

// Data sub-blocks read as lines of text: each sub-block is one line, cut at its first zero
// byte. Stops at a size byte of 0 or at the end of the stream; a short sub-block raises
// "Premature end of data".
std::vector<std::string> ReadTextSubBlocks(core::TStream& stream);

// Moves past data sub-blocks up to and including the size byte of 0 (or the end).
void SkipSubBlocks(core::TStream& stream);

inline uint16_t LittleEndian16(const uint8_t* bytes) {
    return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}

inline uint32_t LittleEndian32(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
           (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

}  // namespace codecs::gif
