#pragma once
// Palettes of the GIF picture: one made from a colour table, and the fixed 216-colour palette
// of the dithered drawing.
#include <vector>

#include "codecs/gif/gif_color_map.h"
#include "platform/gdi/wintypes.h"

namespace codecs::gif {

// A new palette with the table's colours, flagged not to be collapsed; the caller owns it.
platform::HPALETTE CreateColorMapPalette(const TGIFColorMap& map);

// The 216-colour palette (0, 51, ... 255 per channel), made once and shared by every picture.
platform::HPALETTE DitherPalette();

// The entries of `palette` as colours (none for none).
std::vector<TGIFColor> PaletteColors(platform::HPALETTE palette);

// A new palette with the entries of `palette` (none for none); the caller owns it.
platform::HPALETTE DuplicatePalette(platform::HPALETTE palette);

}  // namespace codecs::gif
