#pragma once
// A contact sheet of the skin: every picture enlarged, each object's rectangles outlined, and
// the list of labels (position, colour, name) for a script to write the names on it.
#include <map>
#include <string>

#include "artwork.h"

namespace art {

struct Sheet {
    Canvas canvas;
    std::string labels;  // one "x y #rrggbb text" line per label
};

Sheet DrawContactSheet(const SkinIni& ini, const std::map<std::string, Picture>& pictures);

}  // namespace art
