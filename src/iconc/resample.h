#pragma once
// Making one icon size from the source picture. Down-scaling filters premultiplied colour (so
// transparent pixels lend no colour to their neighbours); up-scaling repeats pixels, which
// keeps pixel art sharp. The picture keeps its proportions, centred on a transparent square.
#include "iconc/rgba_image.h"

namespace iconc {

enum class Filter {
    Box,      // area averaging: each output pixel is the mean of the source area it covers
    Lanczos,  // three-lobed Lanczos, sharper, for photographs and smooth artwork
    Nearest,  // pixel repetition and picking in both directions
};

RgbaImage ResampleToSquare(const RgbaImage& source, int size, Filter filter);

}  // namespace iconc
