#include "codecs/gif/gif_stream.h"

#include <cstring>

#include "codecs/gif/gif_strings.h"
#include "codecs/gif/gif_types.h"

namespace codecs::gif {

void ReadExact(core::TStream& stream, void* buffer, int64_t count) {
    if (count > 0 && stream.Read(buffer, count) != count)
        throw GIFException(strings::SPrematureEnd);
}

int ReadByteOrEnd(core::TStream& stream) {
    uint8_t byte = 0;
    return stream.Read(&byte, 1) == 1 ? byte : -1;
}

int PeekByte(core::TStream& stream) {
    int byte = ReadByteOrEnd(stream);
    if (byte >= 0) stream.Seek(-1, core::TSeekOrigin::soCurrent);
    return byte;
}

void SkipZeroBytes(core::TStream& stream) {
    int byte;
    do {
        byte = ReadByteOrEnd(stream);
    } while (byte == 0);
    if (byte > 0) stream.Seek(-1, core::TSeekOrigin::soCurrent);
}

std::vector<std::string> ReadTextSubBlocks(core::TStream& stream) {
    std::vector<std::string> lines;
    char block[255];
    for (int size = ReadByteOrEnd(stream); size > 0; size = ReadByteOrEnd(stream)) {
        ReadExact(stream, block, size);
        const void* zero = std::memchr(block, 0, static_cast<size_t>(size));
        size_t length = zero ? static_cast<size_t>(static_cast<const char*>(zero) - block)
                             : static_cast<size_t>(size);
        lines.emplace_back(block, length);
    }
    return lines;
}

void SkipSubBlocks(core::TStream& stream) {
    for (int size = ReadByteOrEnd(stream); size > 0; size = ReadByteOrEnd(stream))
        stream.Seek(size, core::TSeekOrigin::soCurrent);
}

}  // namespace codecs::gif
