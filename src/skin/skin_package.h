#pragma once
// The byte layout of an inflated skin package, and building one from a skin.ini and its
// pictures:
//
//   int32 version | flag + BMP (frame) | flag + BMP (inactive frame) | flag + BMP (mask)
//   | version 2 only: two more flagged BMPs | int32 n | n BMPs | skin.ini text to the end
//
// A flag of 0 means a BMP follows; any other value means none. Integers are little-endian.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/stream.h"

namespace skin {

// Packages of this version or later are not read.
inline constexpr int32_t kFirstUnsupportedVersion = 4;
inline constexpr int32_t kPackageVersion = 3;

struct TbsByteRange {
    int64_t Offset = 0;
    int64_t Size = 0;
};

struct TbsPackageLayout {
    int32_t Version = 0;
    // Empty when the entry's flag says "no bitmap".
    std::optional<TbsByteRange> FramePicture, InactiveFramePicture, FrameMask;
    std::vector<TbsByteRange> ActivePictures;
    TbsByteRange Text;
};

// The length of the BMP file that starts at `data`: the file and info headers, the colour
// table and the pixel rows, as the bitmap reader consumes them. Raises EInvalidGraphic
// "Bitmap image is not valid" for a header it cannot read and EReadError "Stream read error"
// when the bytes end early.
int64_t MeasureBmp(const uint8_t* data, int64_t size);

// Walks the layout. For a version of 4 or more only Version is filled in. Raises like
// MeasureBmp, and EReadError when a flag or count is cut off.
TbsPackageLayout WalkPackage(const uint8_t* data, int64_t size);

// Inflates the whole zlib stream of `compressed` (read from its start) in blocks of 4096.
std::vector<uint8_t> InflatePackage(core::TStream& compressed);

// Builds the inflated package from a skin.ini and the pictures beside it. Returns nothing
// when one of the sections VERSION, PICTURES, FORMINFO, SKINOBJECTS, SKINCONTROLS is missing.
std::optional<std::vector<uint8_t>> BuildPackageFromSkinIni(const std::string& iniPath);

// Deflates `package` at the "max" level into `destination`.
void CompressPackage(const std::vector<uint8_t>& package, core::TStream& destination);

}  // namespace skin
