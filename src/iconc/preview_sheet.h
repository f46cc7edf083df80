#pragma once
// The preview sheet: every entry of an icon at its own size over a light, a dark and a
// checkered background, drawn by the raster the way the platform draws icons, with its size
// and depth written under it.
#include <vector>

#include "iconc/icon_entry.h"
#include "iconc/rgba_image.h"

namespace iconc {

RgbaImage RenderPreviewSheet(const std::vector<DecodedEntry>& entries);

}  // namespace iconc
