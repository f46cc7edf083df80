#pragma once
// The JPEG picture's message texts.

namespace codecs::strings {

inline constexpr const char* sJPEGError = "JPEG error #%d";
inline constexpr const char* sChangeJPGSize = "Cannot change the size of a JPEG image";
inline constexpr const char* sJPEGImageFile = "JPEG Image File";

}  // namespace codecs::strings
