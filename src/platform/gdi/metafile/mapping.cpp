#include "platform/gdi/metafile/mapping.h"

#include <cmath>
#include <cstdlib>

namespace platform::metafile {

namespace {

// Coordinates are kept well inside 32 bits so that sums and differences of two of them,
// as the raster computes widths, cannot overflow.
constexpr double kCoordinateLimit = 1 << 27;

int32_t Sign(int32_t v) {
    return v < 0 ? -1 : 1;
}

// Window extents of the metric modes, in their units per reference device.
IntPair MetricWindowExt(int mode, const ReferenceDevice& device) {
    double factor = 1;
    switch (mode) {
        case kMmLoMetric:
            factor = 10;
            break;
        case kMmHiMetric:
            factor = 100;
            break;
        case kMmLoEnglish:
            factor = 100 / 25.4;
            break;
        case kMmHiEnglish:
            factor = 1000 / 25.4;
            break;
        case kMmTwips:
            factor = 1440 / 25.4;
            break;
        default:
            break;
    }
    return {RoundCoordinate(device.millimeters.x * factor),
            RoundCoordinate(device.millimeters.y * factor)};
}

bool IsMetric(int mode) {
    return mode >= kMmLoMetric && mode <= kMmTwips;
}
bool IsScalable(int mode) {
    return mode == kMmIsotropic || mode == kMmAnisotropic;
}

}  // namespace

double Affine::ScaleX() const {
    return std::hypot(m11, m12);
}
double Affine::ScaleY() const {
    return std::hypot(m21, m22);
}
bool Affine::IsInvertible() const {
    return m11 * m22 - m12 * m21 != 0;
}

Affine Compose(const Affine& a, const Affine& b) {
    Affine r;
    r.m11 = a.m11 * b.m11 + a.m12 * b.m21;
    r.m12 = a.m11 * b.m12 + a.m12 * b.m22;
    r.m21 = a.m21 * b.m11 + a.m22 * b.m21;
    r.m22 = a.m21 * b.m12 + a.m22 * b.m22;
    r.dx = a.dx * b.m11 + a.dy * b.m21 + b.dx;
    r.dy = a.dx * b.m12 + a.dy * b.m22 + b.dy;
    return r;
}

int32_t RoundCoordinate(double value) {
    if (!(value == value)) return 0;  // NaN from a hostile transform
    if (value > kCoordinateLimit) return static_cast<int32_t>(kCoordinateLimit);
    if (value < -kCoordinateLimit) return -static_cast<int32_t>(kCoordinateLimit);
    return static_cast<int32_t>(std::lround(value));
}

bool PageMapping::SetMapMode(int mode) {
    if (mode < kMmText || mode > kMmAnisotropic) return false;
    mapMode_ = mode;
    if (mode == kMmText) {
        windowExt_ = {1, 1};
        viewportExt_ = {1, 1};
    } else if (IsMetric(mode)) {
        windowExt_ = MetricWindowExt(mode, device_);
        viewportExt_ = {device_.pixels.x, -device_.pixels.y};
    } else if (mode == kMmIsotropic) {
        AdjustIsotropic();
    }
    return true;
}

bool PageMapping::SetWindowExt(IntPair ext) {
    if (!IsScalable(mapMode_)) return true;
    if (ext.x == 0 || ext.y == 0) return false;
    windowExt_ = ext;
    if (mapMode_ == kMmIsotropic) AdjustIsotropic();
    return true;
}

bool PageMapping::SetViewportExt(IntPair ext) {
    if (!IsScalable(mapMode_)) return true;
    if (ext.x == 0 || ext.y == 0) return false;
    viewportExt_ = ext;
    if (mapMode_ == kMmIsotropic) AdjustIsotropic();
    return true;
}

namespace {
bool ScaleExt(IntPair& ext, int32_t xNum, int32_t xDenom, int32_t yNum, int32_t yDenom) {
    if (xDenom == 0 || yDenom == 0) return false;
    IntPair scaled{RoundCoordinate(static_cast<double>(ext.x) * xNum / xDenom),
                   RoundCoordinate(static_cast<double>(ext.y) * yNum / yDenom)};
    if (scaled.x == 0 || scaled.y == 0) return false;
    ext = scaled;
    return true;
}
}  // namespace

bool PageMapping::ScaleWindowExt(int32_t xNum, int32_t xDenom, int32_t yNum, int32_t yDenom) {
    if (!IsScalable(mapMode_)) return true;
    if (!ScaleExt(windowExt_, xNum, xDenom, yNum, yDenom)) return false;
    if (mapMode_ == kMmIsotropic) AdjustIsotropic();
    return true;
}

bool PageMapping::ScaleViewportExt(int32_t xNum, int32_t xDenom, int32_t yNum, int32_t yDenom) {
    if (!IsScalable(mapMode_)) return true;
    if (!ScaleExt(viewportExt_, xNum, xDenom, yNum, yDenom)) return false;
    if (mapMode_ == kMmIsotropic) AdjustIsotropic();
    return true;
}

// In the isotropic mode one logical unit is as long on x as on y (in millimetres on the
// reference device); the viewport extent along the axis that would stretch more shrinks.
void PageMapping::AdjustIsotropic() {
    if (windowExt_.x == 0 || windowExt_.y == 0) return;
    double mmPerPxX = static_cast<double>(device_.millimeters.x) / device_.pixels.x;
    double mmPerPxY = static_cast<double>(device_.millimeters.y) / device_.pixels.y;
    double xMm = std::abs(static_cast<double>(viewportExt_.x)) * mmPerPxX / std::abs(windowExt_.x);
    double yMm = std::abs(static_cast<double>(viewportExt_.y)) * mmPerPxY / std::abs(windowExt_.y);
    if (xMm > yMm) {
        int32_t v = RoundCoordinate(std::abs(windowExt_.x) * yMm / mmPerPxX);
        viewportExt_.x = Sign(viewportExt_.x) * (v == 0 ? 1 : v);
    } else if (yMm > xMm) {
        int32_t v = RoundCoordinate(std::abs(windowExt_.y) * xMm / mmPerPxY);
        viewportExt_.y = Sign(viewportExt_.y) * (v == 0 ? 1 : v);
    }
}

Affine PageMapping::Transform() const {
    Affine t;
    t.m11 = static_cast<double>(viewportExt_.x) / windowExt_.x;
    t.m22 = static_cast<double>(viewportExt_.y) / windowExt_.y;
    t.dx = viewportOrg_.x - windowOrg_.x * t.m11;
    t.dy = viewportOrg_.y - windowOrg_.y * t.m22;
    return t;
}

Affine PlayTransform(const FrameRect& frame, const ReferenceDevice& device,
                     const FrameRect& target) {
    // The frame in reference-device pixels.
    double pxPerUnitX = device.pixels.x / (device.millimeters.x * 100.0);
    double pxPerUnitY = device.pixels.y / (device.millimeters.y * 100.0);
    double left = frame.left * pxPerUnitX;
    double top = frame.top * pxPerUnitY;
    double width = (static_cast<double>(frame.right) - frame.left) * pxPerUnitX;
    double height = (static_cast<double>(frame.bottom) - frame.top) * pxPerUnitY;
    Affine t;
    t.m11 = width != 0 ? (static_cast<double>(target.right) - target.left) / width : 1;
    t.m22 = height != 0 ? (static_cast<double>(target.bottom) - target.top) / height : 1;
    t.dx = target.left - left * t.m11;
    t.dy = target.top - top * t.m22;
    return t;
}

}  // namespace platform::metafile
