#pragma once
// The icon export: whatever picture the large view shows becomes a 32 x 32 (the system icon
// size), 16-colour ICO file whose transparent colour is the bottom-left pixel. The requested
// size only sets the resolution of the intermediate rendering. The main window's commands and
// the command-line tool both run this code.
#include <memory>
#include <string>

#include "graphics/bitmap.h"
#include "graphics/graphic.h"
#include "graphics/icon.h"

namespace app {

// ".ico" is appended unless the name already ends in lower-case ".ico" (compared byte for
// byte; a name shorter than four bytes is compared whole).
std::string IconFileName(const std::string& name);

// Builds an icon of the system icon size from `bitmap`, with a mask that is 1 exactly where
// the rescaled picture has its bottom-left colour; those pixels are black in the colour image.
std::unique_ptr<graphics::TIcon> BitmapToIcon(graphics::TBitmap& bitmap);

// Renders `source` (or nothing) into a white width x height bitmap, turns it into an icon and
// writes it to IconFileName(fileName). The file is replaced only once the whole icon is made.
// Returns the name written.
std::string ExportIcon(graphics::TGraphic* source, int width, int height,
                       const std::string& fileName);

}  // namespace app
