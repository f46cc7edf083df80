#pragma once
// The graphics layer's message texts.

namespace graphics::strings {

inline constexpr const char* SInvalidImage = "Bitmap image is not valid";
inline constexpr const char* SInvalidIcon = "Icon image is not valid";
inline constexpr const char* SInvalidMetafile = "Metafile is not valid";
inline constexpr const char* SInvalidPixelFormat = "Invalid pixel format";
inline constexpr const char* SScanLine = "Scan line index out of range";
inline constexpr const char* SNoCanvasHandle = "Canvas does not allow drawing";
inline constexpr const char* SChangeIconSize = "Cannot change the size of an icon";
inline constexpr const char* SIconToClipboard = "Clipboard does not support Icons";
inline constexpr const char* SUnknownExtension = "Unknown picture file extension (.%s)";
inline constexpr const char* SUnknownClipboardFormat = "Unsupported clipboard format";
inline constexpr const char* SOutOfResources = "Out of system resources";

}  // namespace graphics::strings
