#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace art {

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

std::vector<uint8_t> Headers(int width, int height, int bitCount, uint32_t paletteBytes) {
    uint32_t stride = ((static_cast<uint32_t>(width) * bitCount + 31) / 32) * 4;
    uint32_t image = stride * static_cast<uint32_t>(height);
    uint32_t offset = 14 + 40 + paletteBytes;
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + image);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(bitCount));
    Put32(out, 0);      // BI_RGB
    Put32(out, image);  // image size filled in
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    return out;
}

}  // namespace

Rgb Mix(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto ch = [&](int shift) {
        double va = (a >> shift) & 0xFF, vb = (b >> shift) & 0xFF;
        return static_cast<Rgb>(std::lround(va + (vb - va) * t)) << shift;
    };
    return ch(16) | ch(8) | ch(0);
}

Canvas::Canvas(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill) {}

Rgb Canvas::Get(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return pixels_[static_cast<size_t>(y) * width_ + x];
}

void Canvas::Set(int x, int y, Rgb c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<size_t>(y) * width_ + x] = c;
}

void Canvas::Fill(const Box& r, Rgb c) {
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) Set(x, y, c);
}

void Canvas::VerticalGradient(const Box& r, Rgb top, Rgb bottom) {
    int h = std::max(1, r.Height() - 1);
    for (int y = r.top; y < r.bottom; ++y)
        HLine(r.left, r.right, y, Mix(top, bottom, double(y - r.top) / h));
}

void Canvas::HorizontalGradient(const Box& r, Rgb left, Rgb right) {
    int w = std::max(1, r.Width() - 1);
    for (int x = r.left; x < r.right; ++x)
        VLine(x, r.top, r.bottom, Mix(left, right, double(x - r.left) / w));
}

void Canvas::HLine(int x0, int x1, int y, Rgb c) {
    for (int x = x0; x < x1; ++x) Set(x, y, c);
}

void Canvas::VLine(int x, int y0, int y1, Rgb c) {
    for (int y = y0; y < y1; ++y) Set(x, y, c);
}

void Canvas::Line(int x0, int y0, int x1, int y1, Rgb c) {
    int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    for (int i = 0; i <= steps; ++i) {
        double t = steps == 0 ? 0 : double(i) / steps;
        Set(static_cast<int>(std::lround(x0 + (x1 - x0) * t)),
            static_cast<int>(std::lround(y0 + (y1 - y0) * t)), c);
    }
}

void Canvas::Frame(const Box& r, Rgb c) {
    if (r.Empty()) return;
    HLine(r.left, r.right, r.top, c);
    HLine(r.left, r.right, r.bottom - 1, c);
    VLine(r.left, r.top, r.bottom, c);
    VLine(r.right - 1, r.top, r.bottom, c);
}

void Canvas::RoundBox(const Box& r, int radius, Rgb top, Rgb bottom, Rgb border) {
    if (r.Empty()) return;
    int h = std::max(1, r.Height() - 1);
    auto cut = [&](int dx, int dy) { return dx + dy < radius; };  // distance into a corner
    for (int y = r.top; y < r.bottom; ++y) {
        Rgb fill = Mix(top, bottom, double(y - r.top) / h);
        for (int x = r.left; x < r.right; ++x) {
            int dx = std::min(x - r.left, r.right - 1 - x);
            int dy = std::min(y - r.top, r.bottom - 1 - y);
            if (cut(dx, dy)) continue;
            bool edge = dx == 0 || dy == 0 || (dx + dy == radius && radius > 0);
            Set(x, y, edge ? border : fill);
        }
    }
}

void Canvas::Blit(const Canvas& src, int x0, int y0, int scale) {
    for (int y = 0; y < src.height_ * scale; ++y)
        for (int x = 0; x < src.width_ * scale; ++x)
            Set(x0 + x, y0 + y, src.Get(x / scale, y / scale));
}

void Canvas::Cross(const Box& r, int size, Rgb c) {
    int cx = r.left + r.Width() / 2, cy = r.top + r.Height() / 2, h = size / 2;
    for (int t = 0; t < 2; ++t) {
        Line(cx - h + t, cy - h, cx + h - 1 + t, cy + h - 1, c);
        Line(cx + h - 1 - t, cy - h, cx - h - t, cy + h - 1, c);
    }
}

void Canvas::Arrow(const Box& r, char direction, int size, Rgb c) {
    int cx = r.left + r.Width() / 2, cy = r.top + r.Height() / 2;
    for (int i = 0; i < size; ++i) {
        int half = size - 1 - i;
        switch (direction) {
            case 'd':
                HLine(cx - half, cx + half + 1, cy - size / 2 + i, c);
                break;
            case 'u':
                HLine(cx - half, cx + half + 1, cy + size / 2 - i, c);
                break;
            case 'r':
                VLine(cx - size / 2 + i, cy - half, cy + half + 1, c);
                break;
            case 'l':
                VLine(cx + size / 2 - i, cy - half, cy + half + 1, c);
                break;
        }
    }
}

void Canvas::Check(const Box& r, Rgb c) {
    int cx = r.left + r.Width() / 2, cy = r.top + r.Height() / 2;
    for (int t = 0; t < 2; ++t) {
        Line(cx - 4, cy - 1 + t, cx - 1, cy + 2 + t, c);
        Line(cx - 1, cy + 2 + t, cx + 4, cy - 3 + t, c);
    }
}

void Canvas::Dot(const Box& r, int radius, Rgb c) {
    double cx = r.left + r.Width() / 2.0 - 0.5, cy = r.top + r.Height() / 2.0 - 0.5;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius + 0.5) Set(x, y, c);
}

std::vector<uint8_t> Canvas::Bmp24() const {
    std::vector<uint8_t> out = Headers(width_, height_, 24, 0);
    int pad = (4 - (width_ * 3) % 4) % 4;
    for (int y = height_ - 1; y >= 0; --y) {
        for (int x = 0; x < width_; ++x) {
            Rgb c = Get(x, y);
            out.push_back(static_cast<uint8_t>(c));
            out.push_back(static_cast<uint8_t>(c >> 8));
            out.push_back(static_cast<uint8_t>(c >> 16));
        }
        out.insert(out.end(), static_cast<size_t>(pad), 0);
    }
    return out;
}

std::vector<uint8_t> Canvas::BmpMask(int bitCount) const {
    const int entries = 1 << bitCount;
    std::vector<uint8_t> out =
        Headers(width_, height_, bitCount, static_cast<uint32_t>(entries * 4));
    // A grey ramp: entry 0 black, the last entry white.
    for (int i = 0; i < entries; ++i) {
        uint8_t v = static_cast<uint8_t>(i * 255 / (entries - 1));
        out.insert(out.end(), {v, v, v, 0});
    }
    const uint32_t stride = ((static_cast<uint32_t>(width_) * bitCount + 31) / 32) * 4;
    for (int y = height_ - 1; y >= 0; --y) {
        std::vector<uint8_t> row(stride, 0);
        for (int x = 0; x < width_; ++x) {
            uint32_t index = Get(x, y) == 0 ? 0u : static_cast<uint32_t>(entries - 1);
            uint32_t bit = static_cast<uint32_t>(x) * bitCount;
            int shift = 8 - bitCount - static_cast<int>(bit % 8);
            row[bit / 8] |= static_cast<uint8_t>(index << shift);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) throw std::runtime_error("cannot create " + path);
    size_t written = std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    if (written != bytes.size()) throw std::runtime_error("cannot write " + path);
}

}  // namespace art
