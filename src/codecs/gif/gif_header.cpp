#include "codecs/gif/gif_header.h"

#include <cctype>

#include "codecs/gif/gif_stream.h"
#include "codecs/gif/gif_strings.h"

namespace codecs::gif {

namespace {

bool IsGIFSignature(const uint8_t* bytes) {
    return std::toupper(bytes[0]) == 'G' && std::toupper(bytes[1]) == 'I' &&
           std::toupper(bytes[2]) == 'F';
}

}  // namespace

void TGIFHeader::Clear() {
    signature_ = {};
    version_ = {};
    width_ = height_ = 0;
    packed_ = background_ = aspect_ = 0;
    colorMap_.Clear();
}

void TGIFHeader::LoadFromStream(core::TStream& stream, int64_t start) {
    uint8_t head[6];
    ReadExact(stream, head, 6);
    if (!IsGIFSignature(head)) {
        // Some files carry a few bytes of their own before the GIF data.
        stream.SetPosition(start + 4);
        ReadExact(stream, head, 6);
        if (!IsGIFSignature(head)) throw GIFException(strings::SBadSignature);
    }
    std::copy(head, head + 3, signature_.begin());
    std::copy(head + 3, head + 6, version_.begin());

    uint8_t screen[7];
    ReadExact(stream, screen, 7);
    width_ = LittleEndian16(&screen[0]);
    height_ = LittleEndian16(&screen[2]);
    packed_ = screen[4];
    background_ = screen[5];
    aspect_ = screen[6];
    if (HasGlobalColorMap())
        colorMap_.LoadFromStream(stream, 2 << (packed_ & 7));
    else
        colorMap_.Clear();
}

}  // namespace codecs::gif
