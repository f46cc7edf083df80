#pragma once
// The skin's ten pictures, drawn from the rectangles the skin description gives.
#include <map>
#include <string>

#include "canvas.h"
#include "skin_ini.h"

namespace art {

struct Picture {
    Canvas canvas;
    int bitCount;  // 24, or 8/4/1 for masks
};

// Every picture of [PICTURES], by file name.
std::map<std::string, Picture> DrawSkin(const SkinIni& ini);

}  // namespace art
