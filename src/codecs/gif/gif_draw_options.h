#pragma once
// How a GIF picture draws: the option set every picture holds and copies into its painters.
#include <cstdint>

namespace codecs::gif {

enum TGIFDrawOption : uint16_t {
    DrawInThread = 1 << 0,
    DrawTransparent = 1 << 1,
    DrawAnimated = 1 << 2,
    DrawLooped = 1 << 3,
    DrawLoopForever = 1 << 4,
    DrawCheckCanvas = 1 << 5,
    DrawDirect = 1 << 6,
    DrawClearOnLoop = 1 << 7,
    DrawTiled = 1 << 8,
    DrawDithered = 1 << 9,
    DrawAutoDither = 1 << 10,
};
using TGIFDrawOptions = uint16_t;

inline constexpr TGIFDrawOptions kDefaultDrawOptions =
    DrawInThread | DrawTransparent | DrawAnimated | DrawLooped | DrawDithered | DrawAutoDither;
static_assert(kDefaultDrawOptions == 0x060F);

// Colour planes times bits per pixel of the screen, measured once.
int ScreenColorBits();

// Frames are reduced to the 216-colour palette when dithering is asked for and either it is
// not automatic or the screen shows at most 256 colours.
inline bool DitheringInForce(TGIFDrawOptions options, int screenBits) {
    return (options & DrawDithered) && (!(options & DrawAutoDither) || screenBits <= 8);
}

enum class TGIFThreadPriority {
    tpIdle,
    tpLowest,
    tpLower,
    tpNormal,
    tpHigher,
    tpHighest,
    tpTimeCritical
};

}  // namespace codecs::gif
