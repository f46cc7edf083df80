#pragma once
// The program's own skin, packed from assets/skin at build time: the raw zlib bytes that the
// main window's stored skin component receives as its CompressedData.
#include <cstdint>
#include <span>

namespace skin {

std::span<const uint8_t> EmbeddedSkinPackage();

}  // namespace skin
