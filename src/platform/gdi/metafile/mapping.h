#pragma once
// Coordinate mapping during playback: the recorded device context's mapping mode, window and
// viewport, its world transform, and the placement of the picture's frame on the target.
// Points travel world -> page (window/viewport) -> reference device -> target device.
#include <cstdint>

namespace platform::metafile {

inline constexpr int kMmText = 1;
inline constexpr int kMmLoMetric = 2;
inline constexpr int kMmHiMetric = 3;
inline constexpr int kMmLoEnglish = 4;
inline constexpr int kMmHiEnglish = 5;
inline constexpr int kMmTwips = 6;
inline constexpr int kMmIsotropic = 7;
inline constexpr int kMmAnisotropic = 8;

struct Vec2 {
    double x = 0;
    double y = 0;
};

struct IntPair {
    int32_t x = 0;
    int32_t y = 0;
};

// x' = m11*x + m21*y + dx, y' = m12*x + m22*y + dy (the XFORM convention).
struct Affine {
    double m11 = 1, m12 = 0, m21 = 0, m22 = 1, dx = 0, dy = 0;

    Vec2 Apply(Vec2 p) const { return {m11 * p.x + m21 * p.y + dx, m12 * p.x + m22 * p.y + dy}; }
    // Only scaling and translation: rectangles stay rectangles.
    bool IsAxisAligned() const { return m12 == 0 && m21 == 0; }
    // Length of a unit step along x and along y (for pen widths and font heights).
    double ScaleX() const;
    double ScaleY() const;
    bool IsInvertible() const;
};

// `first` applied, then `second`.
Affine Compose(const Affine& first, const Affine& second);

// The reference device the picture was recorded on: pixels and millimetres.
struct ReferenceDevice {
    IntPair pixels{1, 1};
    IntPair millimeters{1, 1};
};

// The page mapping of a device context, as the mapping calls change it.
class PageMapping {
  public:
    explicit PageMapping(ReferenceDevice device) : device_(device) {}

    int MapMode() const { return mapMode_; }
    // Unknown modes are refused (false), as the platform refuses them.
    bool SetMapMode(int mode);
    // Extents are ignored outside the two scalable modes, and a zero extent is refused.
    bool SetWindowExt(IntPair ext);
    bool SetViewportExt(IntPair ext);
    void SetWindowOrg(IntPair org) { windowOrg_ = org; }
    void SetViewportOrg(IntPair org) { viewportOrg_ = org; }
    bool ScaleWindowExt(int32_t xNum, int32_t xDenom, int32_t yNum, int32_t yDenom);
    bool ScaleViewportExt(int32_t xNum, int32_t xDenom, int32_t yNum, int32_t yDenom);

    IntPair WindowExt() const { return windowExt_; }
    IntPair ViewportExt() const { return viewportExt_; }
    IntPair WindowOrg() const { return windowOrg_; }
    IntPair ViewportOrg() const { return viewportOrg_; }

    // Page space to reference-device space.
    Affine Transform() const;

  private:
    void AdjustIsotropic();

    ReferenceDevice device_;
    int mapMode_ = kMmText;
    IntPair windowOrg_{0, 0};
    IntPair windowExt_{1, 1};
    IntPair viewportOrg_{0, 0};
    IntPair viewportExt_{1, 1};
};

// Places the frame (in hundredths of a millimetre, inclusive) onto the target rectangle
// (inclusive corners, in target device pixels), the way metafile playback stretches a picture
// to the rectangle it is given.
struct FrameRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};
Affine PlayTransform(const FrameRect& frame, const ReferenceDevice& device,
                     const FrameRect& target);

// Rounds to the nearest integer coordinate, clamped into a range that later arithmetic on
// coordinates cannot overflow.
int32_t RoundCoordinate(double value);

}  // namespace platform::metafile
