#pragma once
// The program's own icon: a framed landscape picture with a small pixel grid, the icon it
// becomes, at its lower right. Drawn from shapes, so every size is sharp.
#include <cstdint>
#include <vector>

namespace icon_art {

// `size` x `size` RGBA pixels, rows top-down, transparent around the tile.
std::vector<uint8_t> DrawProgramIcon(int size);

}  // namespace icon_art
