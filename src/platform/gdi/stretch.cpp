// Stretching: which source rows and columns each destination row and column takes.
//
// Along one axis, with source size S and destination size D (offsets counted from the top
// or left of each rectangle):
//  - enlarging (D > S): destination d takes source floor((2*S*d + S - 1) / (2*D)), so 16 -> 32
//    repeats every source twice;
//  - shrinking (D < S): source s belongs to group floor((2*D*s + D - 1) / (2*S)); COLORONCOLOR
//    takes the last source of a group for columns and the first for rows, so 64 -> 32 keeps
//    columns 1, 3, ..., 63 and rows 0, 2, ..., 62; BLACKONWHITE and WHITEONBLACK AND or OR
//    the whole group, taken as destination pixels (so colours, not colour-table indices),
//    HALFTONE averages it.
#include <algorithm>

#include "platform/gdi/raster.h"
#include "platform/gdi/stretch_rows.h"

namespace platform {
namespace {

// Sizes reach 2^32 (a rectangle spanning the whole coordinate range), so products need more
// than 64 bits.
using Wide = __int128;

std::int64_t FloorDiv(Wide a, Wide b) {
    Wide q = a / b;
    return std::int64_t((a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q);
}

std::int64_t CeilDiv(Wide a, Wide b) {
    return -FloorDiv(-a, b);
}

// First source of group d when shrinking S onto D.
std::int64_t GroupStart(Wide S, Wide D, Wide d) {
    if (d >= D) return std::int64_t(S);
    return std::max<std::int64_t>(0, CeilDiv(2 * S * d - D + 1, 2 * D));
}

}  // namespace

AxisMapping MapAxis(std::int64_t srcSize, std::int64_t dstSize, std::int64_t from, std::int64_t to,
                    bool mirror, bool pickLastOfGroup) {
    AxisMapping m;
    std::size_t n = std::size_t(std::max<std::int64_t>(0, to - from));
    m.index.resize(n);
    m.first.resize(n);
    m.last.resize(n);
    const std::int64_t S = srcSize, D = dstSize;
    for (std::size_t i = 0; i < n; ++i) {
        std::int64_t d = from + std::int64_t(i);
        if (mirror) d = D - 1 - d;
        std::int64_t first, last, pick;
        if (D > S) {
            first = last = pick = FloorDiv(2 * Wide(S) * d + S - 1, 2 * Wide(D));
        } else if (D == S) {
            first = last = pick = d;
        } else {
            first = GroupStart(S, D, d);
            last = GroupStart(S, D, d + 1) - 1;
            pick = pickLastOfGroup ? last : first;
        }
        m.index[i] = pick;
        m.first[i] = first;
        m.last[i] = last;
    }
    return m;
}

std::vector<int> StretchedSourceRows(int srcRows, int dstRows) {
    if (srcRows <= 0 || dstRows <= 0) return {};
    AxisMapping rows = MapAxis(srcRows, dstRows, 0, dstRows, false, false);
    return std::vector<int>(rows.index.begin(), rows.index.end());
}

}  // namespace platform
