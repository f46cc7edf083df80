#pragma once
// The GIF picture's message texts.

namespace codecs::gif::strings {

inline constexpr const char* SPrematureEnd = "Premature end of data";
inline constexpr const char* SBadSignature = "Invalid GIF signature";
inline constexpr const char* SUnknownExtension = "Unknown extension type";
inline constexpr const char* SBadExtensionIntroducer = "Invalid extension introducer";
inline constexpr const char* SExtensionLabelMismatch =
    "Internal error: Extension Instance does not match Extension Label";
inline constexpr const char* SBadAppBlockSize = "Unsupported Application Extension block size";
inline constexpr const char* SInvalidData = "Invalid GIF data";
inline constexpr const char* SCircularTable = "Circular decoder table entry";
inline constexpr const char* SUnknownBlock = "Unknown GIF block type";
inline constexpr const char* SBitBufferUnderrun = "Decoder bit buffer under-run";
inline constexpr const char* SImageExceedsScreen = "Image exceeds Logical Screen size";
inline constexpr const char* SBadTrailer = "Invalid Image trailer";
inline constexpr const char* SBadColorIndex = "Invalid color index";
inline constexpr const char* SEmptyColorTable = "Color table is empty";
inline constexpr const char* SNoColorTable = "No global or local color table defined";
inline constexpr const char* SOutOfMemoryDIB = "Failed to allocate memory for GIF DIB";
inline constexpr const char* SOutOfMemory = "Out of memory";
inline constexpr const char* SLoading = "Loading...";
inline constexpr const char* SRendering = "Rendering...";
inline constexpr const char* SDescription = "GIF Image";

}  // namespace codecs::gif::strings
