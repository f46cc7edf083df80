// The 256 ternary raster operations, instantiated from one template.
#include "platform/gdi/rop.h"

#include <array>
#include <utility>

namespace platform {
namespace {

// Bit (P*4 + S*2 + D) of the code gives the result for that combination of input bits.
template <unsigned R>
inline std::uint32_t Rop3(std::uint32_t p, std::uint32_t s, std::uint32_t d) {
    if constexpr (R == 0x00)
        return 0;
    else if constexpr (R == 0xFF)
        return ~0u;
    else if constexpr (R == 0xCC)
        return s;  // SRCCOPY
    else if constexpr (R == 0x88)
        return s & d;  // SRCAND
    else if constexpr (R == 0xEE)
        return s | d;  // SRCPAINT
    else if constexpr (R == 0x66)
        return s ^ d;  // SRCINVERT
    else if constexpr (R == 0x44)
        return s & ~d;  // SRCERASE
    else if constexpr (R == 0x33)
        return ~s;  // NOTSRCCOPY
    else if constexpr (R == 0x11)
        return ~(s | d);  // NOTSRCERASE
    else if constexpr (R == 0xC0)
        return p & s;  // MERGECOPY
    else if constexpr (R == 0xBB)
        return ~s | d;  // MERGEPAINT
    else if constexpr (R == 0xF0)
        return p;  // PATCOPY
    else if constexpr (R == 0xFB)
        return p | ~s | d;  // PATPAINT
    else if constexpr (R == 0x5A)
        return p ^ d;  // PATINVERT
    else if constexpr (R == 0x55)
        return ~d;  // DSTINVERT
    else if constexpr (R == 0xAA)
        return d;
    else if constexpr (R == 0x22)
        return ~s & d;
    else if constexpr (R == 0xB8)
        return (p & ~s) | (d & s);
    else if constexpr (R == 0xE2)
        return (d & ~s) | (p & s);
    else {
        std::uint32_t r = 0;
        if constexpr (R & 0x01) r |= ~p & ~s & ~d;
        if constexpr (R & 0x02) r |= ~p & ~s & d;
        if constexpr (R & 0x04) r |= ~p & s & ~d;
        if constexpr (R & 0x08) r |= ~p & s & d;
        if constexpr (R & 0x10) r |= p & ~s & ~d;
        if constexpr (R & 0x20) r |= p & ~s & d;
        if constexpr (R & 0x40) r |= p & s & ~d;
        if constexpr (R & 0x80) r |= p & s & d;
        return r;
    }
}

template <unsigned R>
void RopRow(std::uint32_t* dst, const std::uint32_t* src, const std::uint32_t* pat, int count) {
    for (int i = 0; i < count; ++i) dst[i] = Rop3<R>(pat[i], src[i], dst[i]);
}

template <std::size_t... I>
constexpr std::array<RopRowFn, 256> MakeTable(std::index_sequence<I...>) {
    return {&RopRow<unsigned(I)>...};
}

constexpr std::array<RopRowFn, 256> kRopTable = MakeTable(std::make_index_sequence<256>{});

}  // namespace

RopRowFn RopRowFor(std::uint8_t rop3) {
    return kRopTable[rop3];
}

std::uint32_t ApplyRop3(std::uint8_t rop3, std::uint32_t pat, std::uint32_t src,
                        std::uint32_t dst) {
    kRopTable[rop3](&dst, &src, &pat, 1);
    return dst;
}

}  // namespace platform
