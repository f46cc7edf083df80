#pragma once
// Plain value types of the skin description.
#include <cstdint>

namespace skin {

using TColor = int32_t;

// Windows colour references of the system colours: 0xFF000000 | index.
inline constexpr TColor kSystemColorBase = static_cast<TColor>(0xFF000000u);
inline constexpr TColor clBtnFace = kSystemColorBase | 15;
inline constexpr TColor clBtnText = kSystemColorBase | 18;
inline constexpr TColor clWindow = kSystemColorBase | 5;
inline constexpr TColor clWindowText = kSystemColorBase | 8;
inline constexpr TColor clHighlight = kSystemColorBase | 13;
inline constexpr TColor clHighlightText = kSystemColorBase | 14;
inline constexpr TColor clBtnHighlight = kSystemColorBase | 20;
inline constexpr TColor clBtnShadow = kSystemColorBase | 16;

struct TRect {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    int32_t Width() const { return Right - Left; }
    int32_t Height() const { return Bottom - Top; }
    // Empty when the width or the height is 0 or less.
    bool IsEmpty() const { return Width() <= 0 || Height() <= 0; }
    bool operator==(const TRect&) const = default;
};

struct TPoint {
    int32_t X = 0, Y = 0;
    // Unset when either coordinate is 0.
    bool IsUnset() const { return X == 0 || Y == 0; }
    bool operator==(const TPoint&) const = default;
};

enum TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = uint8_t;

enum class TAlignment { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };

enum class TbsStretchType { bsstFull = 0, bsstHorz = 1, bsstVert = 2 };

enum class TbsMorphKind {
    mkDefault,
    mkGradient,
    mkLeftGradient,
    mkRightGradient,
    mkLeftSlide,
    mkRightSlide,
    mkPush
};

enum class TbsInactiveEffect {
    ieBrightness,
    ieDarkness,
    ieGrayscale,
    ieNoise,
    ieSplitBlur,
    ieInvert
};

enum class TbsStdCommand {
    cmClose,
    cmMaximize,
    cmMinimize,
    cmSysMenu,
    cmDefault,
    cmRollUp,
    cmMinimizeToTray
};

}  // namespace skin
