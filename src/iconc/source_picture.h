#pragma once
// The picture an icon is built from. PNG files are read here (and only here: the window's
// picture registry does not take PNG); every other format the program reads is loaded through
// the registry and drawn once over black and once over white, which recovers what the picture
// leaves transparent (a GIF's transparent colour, an icon's mask, a metafile's background).
#include <cstdint>
#include <optional>
#include <string>

#include "iconc/rgba_image.h"

namespace iconc {

// Makes a picture without alpha transparent where it has one colour, exactly.
struct KeyColour {
    bool corner = false;          // the bottom-left pixel's colour, as the window does
    std::optional<uint32_t> rgb;  // 0xRRGGBB
    bool Active() const { return corner || rgb.has_value(); }
};

// Raises EIconError "NAME: reason" (or the registry's own message) when the file cannot be read.
RgbaImage LoadSourcePicture(const std::string& fileName, const KeyColour& key);

void ApplyKeyColour(RgbaImage& image, const KeyColour& key);

}  // namespace iconc
