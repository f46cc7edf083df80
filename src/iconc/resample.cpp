#include "iconc/resample.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace iconc {
namespace {

// Lanczos from sources more than this many times the target first shrink by area averaging to
// twice the target: the same result to the eye, at a fraction of the taps.
constexpr double kReducingGap = 3.0;

// Premultiplied RGBA as floats, rows top-down.
struct Plane {
    int width = 0;
    int height = 0;
    std::vector<float> values;

    Plane(int w, int h) : width(w), height(h), values(size_t(w) * size_t(h) * 4) {}
    float* At(int x, int y) { return &values[(size_t(y) * size_t(width) + size_t(x)) * 4]; }
    const float* At(int x, int y) const {
        return &values[(size_t(y) * size_t(width) + size_t(x)) * 4];
    }
};

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
    axis.reserve(size_t(outLength));
    double scale = double(sourceLength) / outLength;
    for (int i = 0; i < outLength; ++i) axis.push_back(TapsFor(i, scale, sourceLength, filter));
    return axis;
}

// The rows of a picture as premultiplied floats, one at a time.
class StraightRows {
  public:
    explicit StraightRows(const RgbaImage& image) : image_(image) {}
    int Width() const { return image_.width; }
    int Height() const { return image_.height; }
    void Read(int y, float* out) const {
        const uint8_t* p = image_.At(0, y);
        for (int x = 0; x < image_.width; ++x, p += 4, out += 4) {
            float a = float(p[3]) * (1.0f / 255);
            out[0] = float(p[0]) * a, out[1] = float(p[1]) * a, out[2] = float(p[2]) * a;
            out[3] = float(p[3]);
        }
    }

  private:
    const RgbaImage& image_;
};

class PlaneRows {
  public:
    explicit PlaneRows(const Plane& plane) : plane_(plane) {}
    int Width() const { return plane_.width; }
    int Height() const { return plane_.height; }
    void Read(int y, float* out) const {
        std::copy_n(plane_.At(0, y), size_t(plane_.width) * 4, out);
    }

  private:
    const Plane& plane_;
};

// Source rows filtered to the output width, each made once: the rows an output row needs
// are a window that only moves down, so a ring as large as the widest window holds them.
template <typename Rows>
class FilteredRows {
  public:
    FilteredRows(const Rows& rows, const std::vector<Taps>& columns, size_t window)
        : rows_(rows),
          columns_(columns),
          source_(size_t(rows.Width()) * 4),
          ring_(window, std::vector<float>(columns.size() * 4)),
          held_(window, -1) {}

    const float* Row(int y) {
        size_t slot = size_t(y) % ring_.size();
        if (held_[slot] == y) return ring_[slot].data();
        rows_.Read(y, source_.data());
        float* out = ring_[slot].data();
        for (const Taps& t : columns_) {
            float sum[4] = {0, 0, 0, 0};
            const float* p = &source_[size_t(t.first) * 4];
            for (float w : t.weights)
                for (int c = 0; c < 4; ++c, ++p) sum[c] += w * *p;
            out = std::copy(sum, sum + 4, out);
        }
        held_[slot] = y;
        return ring_[slot].data();
    }

  private:
    const Rows& rows_;
    const std::vector<Taps>& columns_;
    std::vector<float> source_;
    std::vector<std::vector<float>> ring_;
    std::vector<int> held_;
};

// Both directions in one sweep; memory stays a few rows besides the output.
template <typename Rows>
Plane FilterBoth(const Rows& rows, int width, int height, Filter filter) {
    std::vector<Taps> columns = AxisTaps(width, rows.Width(), filter);
    std::vector<Taps> lines = AxisTaps(height, rows.Height(), filter);
    size_t window = 1;
    for (const Taps& t : lines) window = std::max(window, t.weights.size());
    FilteredRows<Rows> filtered(rows, columns, window);
    Plane out(width, height);
    for (int y = 0; y < height; ++y) {
        float* dst = out.At(0, y);
        const Taps& t = lines[size_t(y)];
        for (size_t k = 0; k < t.weights.size(); ++k) {
            const float* row = filtered.Row(t.first + int(k));
            for (size_t i = 0; i < size_t(width) * 4; ++i) dst[i] += t.weights[k] * row[i];
        }
    }
    return out;
}

Plane Shrink(const RgbaImage& source, int width, int height, Filter filter) {
    StraightRows rows(source);
    if (filter == Filter::Lanczos && source.width > kReducingGap * width &&
        source.height > kReducingGap * height) {
        Plane reduced = FilterBoth(rows, 2 * width, 2 * height, Filter::Box);
        return FilterBoth(PlaneRows(reduced), width, height, filter);
    }
    return FilterBoth(rows, width, height, filter);
}

uint8_t ToByte(float v) {
    return uint8_t(std::clamp(std::lround(v), 0L, 255L));
}

// Back to straight alpha, into the square at (left, top).
void PlaceStraight(const Plane& plane, RgbaImage& out, int left, int top) {
    for (int y = 0; y < plane.height; ++y)
        for (int x = 0; x < plane.width; ++x) {
            const float* p = plane.At(x, y);
            uint8_t* dst = out.At(left + x, top + y);
            dst[3] = ToByte(p[3]);
            for (int c = 0; c < 3; ++c)
                dst[c] = dst[3] == 0 ? 0 : ToByte(p[c] * 255.0f / std::max(p[3], 1.0f));
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
    if (filter == Filter::Nearest || !shrinking)
        PickNearest(source, width, height, out, left, top);
    else
        PlaceStraight(Shrink(source, width, height, filter), out, left, top);
    return out;
}

}  // namespace iconc
