#pragma once
// The skin layer's message texts.

namespace skin::strings {

inline constexpr const char* SZlibCompressError = "error";
inline constexpr const char* SZlibDecompressError = "compression error";
inline constexpr const char* SInvalidBitmap = "Bitmap image is not valid";

// The system menu of the skinned frame.
inline constexpr const char* BS_MI_MINCAPTION = "Mi&nimize";
inline constexpr const char* BS_MI_RESTORECAPTION = "&Restore";
inline constexpr const char* BS_MI_MAXCAPTION = "Ma&ximize";
inline constexpr const char* BS_MI_ROLLUPCAPTION = "Ro&llUp";
inline constexpr const char* BS_MI_MINTOTRAYCAPTION = "Minimize to &Tray";
inline constexpr const char* BS_MI_CLOSECAPTION = "&Close";
inline constexpr const char* SNoSkinMenuEngine = "The skinned menu engine is not available";
inline constexpr const char* SFrameOwnerNotForm = "The skinned frame must be owned by a form";

}  // namespace skin::strings
