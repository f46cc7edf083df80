#pragma once
// A small RGB drawing surface for the skin artwork, and BMP output in the package's formats.
#include <cstdint>
#include <string>
#include <vector>

namespace art {

using Rgb = uint32_t;  // 0xRRGGBB

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Empty() const { return Width() <= 0 || Height() <= 0; }
    Box Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    Box Inset(int d) const { return {left + d, top + d, right - d, bottom - d}; }
};

Rgb Mix(Rgb a, Rgb b, double t);

class Canvas {
  public:
    Canvas(int width, int height, Rgb fill);
    int Width() const { return width_; }
    int Height() const { return height_; }
    Rgb Get(int x, int y) const;
    void Set(int x, int y, Rgb c);

    void Fill(const Box& r, Rgb c);
    void VerticalGradient(const Box& r, Rgb top, Rgb bottom);
    void HorizontalGradient(const Box& r, Rgb left, Rgb right);
    void Frame(const Box& r, Rgb c);
    void HLine(int x0, int x1, int y, Rgb c);
    void VLine(int x, int y0, int y1, Rgb c);
    void Line(int x0, int y0, int x1, int y1, Rgb c);
    // A box with corners cut by `radius` pixels (1 or 2 look round at these sizes); corner
    // pixels outside keep what was under them.
    void RoundBox(const Box& r, int radius, Rgb top, Rgb bottom, Rgb border);
    // Scaled copy of another canvas at (x, y).
    void Blit(const Canvas& src, int x, int y, int scale);

    // Glyphs drawn centred in a box.
    void Cross(const Box& r, int size, Rgb c);
    void Arrow(const Box& r, char direction, int size, Rgb c);  // 'u', 'd', 'l', 'r'
    void Check(const Box& r, Rgb c);
    void Dot(const Box& r, int radius, Rgb c);

    // BMP files, bottom-up rows padded to 4 bytes, headers as the bitmap class writes them.
    std::vector<uint8_t> Bmp24() const;
    // Indexed: every pixel that is pure black becomes index 0, any other colour the last index.
    std::vector<uint8_t> BmpMask(int bitCount) const;

  private:
    int width_, height_;
    std::vector<Rgb> pixels_;
};

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace art
