#include "iconc/resample.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace iconc {
namespace {

// The contributions of source pixels to one output pixel along one axis.
struct Taps {
    int first = 0;
    std::vector<float> weights;
};

double LanczosWeight(double x) {
    constexpr double kLobes = 3.0;
    if (x == 0.0) return 1.0;
    if (std::abs(x) >= kLobes) return 0.0;
    double px = std::numbers::pi * x;
    return kLobes * std::sin(px) * std::sin(px / kLobes) / (px * px);
}

// Output pixel i covers source [i * scale, (i + 1) * scale).
Taps TapsFor(int i, double scale, int sourceLength, Filter filter) {
    double begin = i * scale, end = begin + scale, centre = begin + scale / 2;
    double radius = filter == Filter::Lanczos ? 3 * scale : scale / 2;
    int first = std::max(0, int(std::floor(centre - radius)));
    int last = std::min(sourceLength - 1, int(std::ceil(centre + radius)));
    Taps taps{first, {}};
    double total = 0;
    for (int j = first; j <= last; ++j) {
        double w = filter == Filter::Lanczos
                       ? LanczosWeight((j + 0.5 - centre) / scale)
                       : std::max(0.0, std::min(end, j + 1.0) - std::max(begin, double(j)));
        taps.weights.push_back(float(w));
        total += w;
    }
    for (float& w : taps.weights) w = float(w / total);
    return taps;
}

std::vector<Taps> AxisTaps(int outLength, int sourceLength, Filter filter) {
    std::vector<Taps> axis;
    double scale = double(sourceLength) / outLength;
    for (int i = 0; i < outLength; ++i) axis.push_back(TapsFor(i, scale, sourceLength, filter));
    return axis;
}

using Plane = std::vector<float>;  // premultiplied RGBA as floats, rows top-down

// Horizontal pass: every source row filtered to the output width.
Plane FilterRows(const RgbaImage& source, int outWidth, Filter filter) {
    std::vector<Taps> axis = AxisTaps(outWidth, source.width, filter);
    Plane out(size_t(outWidth) * size_t(source.height) * 4);
    std::vector<float> row(size_t(source.width) * 4);
    for (int y = 0; y < source.height; ++y) {
        for (int x = 0; x < source.width; ++x) {
            const uint8_t* p = source.At(x, y);
            float a = p[3] / 255.0f;
            for (int c = 0; c < 3; ++c) row[size_t(x) * 4 + c] = p[c] * a;
            row[size_t(x) * 4 + 3] = p[3];
        }
        float* dst = &out[size_t(y) * size_t(outWidth) * 4];
        for (int x = 0; x < outWidth; ++x) {
            const Taps& t = axis[size_t(x)];
            float sum[4] = {0, 0, 0, 0};
            for (size_t k = 0; k < t.weights.size(); ++k)
                for (int c = 0; c < 4; ++c) sum[c] += t.weights[k] * row[(t.first + k) * 4 + c];
            std::copy(sum, sum + 4, dst + size_t(x) * 4);
        }
    }
    return out;
}

uint8_t ToByte(float v) {
    return uint8_t(std::clamp(std::lround(v), 0L, 255L));
}

// Vertical pass over the row-filtered plane, then back to straight alpha.
void FilterColumns(const Plane& rows, int width, int sourceHeight, int outHeight, Filter filter,
                   RgbaImage& out, int left, int top) {
    std::vector<Taps> axis = AxisTaps(outHeight, sourceHeight, filter);
    for (int y = 0; y < outHeight; ++y) {
        const Taps& t = axis[size_t(y)];
        for (int x = 0; x < width; ++x) {
            float sum[4] = {0, 0, 0, 0};
            for (size_t k = 0; k < t.weights.size(); ++k) {
                const float* p = &rows[((t.first + k) * size_t(width) + size_t(x)) * 4];
                for (int c = 0; c < 4; ++c) sum[c] += t.weights[k] * p[c];
            }
            uint8_t* dst = out.At(left + x, top + y);
            dst[3] = ToByte(sum[3]);
            for (int c = 0; c < 3; ++c)
                dst[c] = dst[3] == 0 ? 0 : ToByte(sum[c] * 255.0f / std::max(sum[3], 1.0f));
        }
    }
}

void PickNearest(const RgbaImage& source, int width, int height, RgbaImage& out, int left,
                 int top) {
    for (int y = 0; y < height; ++y) {
        int sy = int(int64_t(y) * source.height / height);
        for (int x = 0; x < width; ++x) {
            int sx = int(int64_t(x) * source.width / width);
            std::copy_n(source.At(sx, sy), 4, out.At(left + x, top + y));
        }
    }
}

}  // namespace

RgbaImage ResampleToSquare(const RgbaImage& source, int size, Filter filter) {
    RgbaImage out(size, size);
    int longest = std::max(source.width, source.height);
    int width = std::max(1, int(std::lround(double(source.width) * size / longest)));
    int height = std::max(1, int(std::lround(double(source.height) * size / longest)));
    int left = (size - width) / 2, top = (size - height) / 2;
    bool shrinking = width < source.width || height < source.height;
    if (filter == Filter::Nearest || !shrinking) {
        PickNearest(source, width, height, out, left, top);
        return out;
    }
    Plane rows = FilterRows(source, width, filter);
    FilterColumns(rows, width, source.height, height, filter, out, left, top);
    return out;
}

}  // namespace iconc
