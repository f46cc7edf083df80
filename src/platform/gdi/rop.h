// Raster operations: all 256 ternary codes over pattern, source and destination values,
// generated from one definition, with the common codes written out directly.
#pragma once

#include <cstdint>

#include "platform/gdi/wintypes.h"

namespace platform {

// Applies ternary code `rop3` to a row: dst[i] = f(pat[i], src[i], dst[i]). All three arrays
// must hold `count` values (pass zeros for an operand the code does not use).
using RopRowFn = void (*)(std::uint32_t* dst, const std::uint32_t* src, const std::uint32_t* pat,
                          int count);
RopRowFn RopRowFor(std::uint8_t rop3);

// One value, for callers that work pixel by pixel.
std::uint32_t ApplyRop3(std::uint8_t rop3, std::uint32_t pat, std::uint32_t src, std::uint32_t dst);

// The ternary code byte of a raster operation DWORD (bits 16..23).
constexpr std::uint8_t Rop3Code(DWORD rop) {
    return std::uint8_t((rop >> 16) & 0xFF);
}
constexpr bool Rop3UsesSource(std::uint8_t r) {
    return ((r >> 2) ^ r) & 0x33;
}
constexpr bool Rop3UsesPattern(std::uint8_t r) {
    return ((r >> 4) ^ r) & 0x0F;
}
constexpr bool Rop3UsesDest(std::uint8_t r) {
    return ((r >> 1) ^ r) & 0x55;
}

// The ternary code equivalent to a binary (pen) mix mode R2_*: the pen acts as the pattern.
constexpr std::uint8_t Rop2ToRop3(int rop2) {
    unsigned table = unsigned(rop2 - 1) & 0x0F;  // bit (P*2 + D) of the binary code
    std::uint8_t r = 0;
    for (int p = 0; p < 2; ++p)
        for (int s = 0; s < 2; ++s)
            for (int d = 0; d < 2; ++d)
                if (table & (1u << (p * 2 + d))) r = std::uint8_t(r | (1u << (p * 4 + s * 2 + d)));
    return r;
}

}  // namespace platform
