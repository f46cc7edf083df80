#pragma once
// The skin layer's message texts.

namespace skin::strings {

inline constexpr const char* SZlibCompressError = "error";
inline constexpr const char* SZlibDecompressError = "compression error";
inline constexpr const char* SInvalidBitmap = "Bitmap image is not valid";

}  // namespace skin::strings
