#pragma once
// Reading the skin description from the art tools: rects, points and the two catalogues.
#include <string>
#include <utility>
#include <vector>

#include "canvas.h"
#include "core/ini_file.h"

namespace art {

struct SkinIni {
    explicit SkinIni(const std::string& path);

    Box Rect(const std::string& section, const std::string& key) const;
    std::pair<int, int> Point(const std::string& section, const std::string& key) const;
    int Int(const std::string& section, const std::string& key, int missing) const;
    std::string Text(const std::string& section, const std::string& key) const;
    // (name, type keyword) of every catalogue entry, in order.
    std::vector<std::pair<std::string, std::string>> Catalogue(const std::string& section) const;

    core::TMemIniFile ini;
};

}  // namespace art
