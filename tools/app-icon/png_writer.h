#pragma once
// PNG files of 8-bit RGBA pixels, the format icon themes install.
#include <cstdint>
#include <string>
#include <vector>

namespace icon_art {

// `rgba` holds width * height pixels, rows top-down, 4 bytes each (red, green, blue, alpha).
// Throws std::runtime_error when the file cannot be written.
void WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba);

}  // namespace icon_art
