#include "skin/skin_image_compose.h"

#include <algorithm>

#include "graphics/bitmap.h"
#include "graphics/canvas.h"
#include "platform/gdi/gdi.h"

namespace skin {

using namespace platform;

namespace {

// Keeps drawing inside one rectangle for the life of the object.
class ClipScope {
  public:
    ClipScope(HDC dc, int left, int top, int right, int bottom) : dc_(dc), saved_(SaveDC(dc)) {
        IntersectClipRect(dc, left, top, right, bottom);
    }
    ~ClipScope() { RestoreDC(dc_, saved_); }
    ClipScope(const ClipScope&) = delete;
    ClipScope& operator=(const ClipScope&) = delete;

  private:
    HDC dc_;
    int saved_;
};

void Copy(HDC dest, int x, int y, int w, int h, HDC src, int sx, int sy) {
    if (w > 0 && h > 0) BitBlt(dest, x, y, w, h, src, sx, sy, SRCCOPY);
}

void Stretch(HDC dest, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh) {
    if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
    SetStretchBltMode(dest, COLORONCOLOR);
    StretchBlt(dest, x, y, w, h, src, sx, sy, sw, sh, SRCCOPY);
}

// Tiles a piece across [from, to) horizontally at row y, the last tile cut.
void TileAcross(HDC dest, int from, int to, int y, HDC src, int sx, int sy, int pieceWidth,
                int height) {
    for (int x = from; x < to; x += pieceWidth) {
        Copy(dest, x, y, std::min(pieceWidth, to - x), height, src, sx, sy);
    }
}

void TileDown(HDC dest, int x, int from, int to, HDC src, int sx, int sy, int width,
              int pieceHeight) {
    for (int y = from; y < to; y += pieceHeight) {
        Copy(dest, x, y, width, std::min(pieceHeight, to - y), src, sx, sy);
    }
}

// A horizontal strip: rows [sourceTop, sourceTop + height) of the picture drawn at destTop,
// corners at 0..leftX and rightX..pictureWidth, the edge piece between them.
void HorizontalStrip(HDC dest, int width, int destTop, int height, HDC src, int pictureWidth,
                     int sourceTop, int leftX, int rightX, int dx, bool stretch) {
    const int edge = rightX - leftX;
    if (width <= 0 || height <= 0 || edge <= 0) return;
    ClipScope clip(dest, 0, destTop, width, destTop + height);
    if (stretch) {
        Stretch(dest, leftX, destTop, rightX + dx - leftX, height, src, leftX, sourceTop, edge,
                height);
    } else {
        TileAcross(dest, 0, width, destTop, src, leftX, sourceTop, edge, height);
    }
    Copy(dest, 0, destTop, leftX, height, src, 0, sourceTop);
    Copy(dest, rightX + dx, destTop, pictureWidth - rightX, height, src, rightX, sourceTop);
}

// A vertical strip between the top and bottom strips: columns [sourceLeft, sourceLeft +
// width) drawn at destLeft; the edge piece runs from topY to bottomY of the picture, with the
// pieces above (from middle top) and below (to middle bottom) it unscaled.
void VerticalStrip(HDC dest, int destLeft, int width, int destTop, int height, HDC src,
                   int sourceLeft, int middleTop, int middleBottom, int topY, int bottomY,
                   bool stretch) {
    const int edge = bottomY - topY;
    if (width <= 0 || height <= 0 || edge <= 0) return;
    ClipScope clip(dest, destLeft, destTop, destLeft + width, destTop + height);
    const int upper = topY - middleTop;
    const int lower = middleBottom - bottomY;
    if (stretch) {
        Stretch(dest, destLeft, destTop + upper, width, height - lower - upper, src, sourceLeft,
                topY, width, edge);
    } else {
        TileDown(dest, destLeft, destTop, destTop + height, src, sourceLeft, topY, width, edge);
    }
    Copy(dest, destLeft, destTop, width, upper, src, sourceLeft, middleTop);
    Copy(dest, destLeft, destTop + height - lower, width, lower, src, sourceLeft, bottomY);
}

}  // namespace

void ComposeFrame(HDC dest, int width, int height, HDC source, int pictureWidth,
                  int pictureHeight, const TbsFrameCut& cut) {
    const int dx = width - pictureWidth;
    const graphics::TRect& m = cut.middle;
    const int topHeight = m.top;
    const int bottomHeight = pictureHeight - m.bottom;
    HorizontalStrip(dest, width, 0, topHeight, source, pictureWidth, 0, cut.leftTop.x,
                    cut.rightTop.x, dx, cut.topStretch);
    HorizontalStrip(dest, width, height - bottomHeight, bottomHeight, source, pictureWidth,
                    m.bottom, cut.leftBottom.x, cut.rightBottom.x, dx, cut.bottomStretch);
    const int sideHeight = height - topHeight - bottomHeight;
    VerticalStrip(dest, 0, m.left, topHeight, sideHeight, source, 0, m.top, m.bottom,
                  cut.leftTop.y, cut.leftBottom.y, cut.leftStretch);
    const int rightWidth = pictureWidth - m.right;
    VerticalStrip(dest, width - rightWidth, rightWidth, topHeight, sideHeight, source, m.right,
                  m.top, m.bottom, cut.rightTop.y, cut.rightBottom.y, cut.rightStretch);
}

void DrawThreePiece(HDC dest, int x, int y, int rowWidth, HDC source,
                    const graphics::TRect& sourceRect, int leftOffset, int rightOffset,
                    bool stretch) {
    const int sw = sourceRect.Width();
    const int sh = sourceRect.Height();
    if (rowWidth <= 0 || sw <= 0 || sh <= 0) return;
    const int left = std::clamp(leftOffset, 0, sw);
    const int right = std::clamp(rightOffset, 0, sw - left);
    const int middle = sw - left - right;
    ClipScope clip(dest, x, y, x + rowWidth, y + sh);
    const int from = x + left;
    const int to = x + rowWidth - right;
    if (middle > 0 && to > from) {
        if (stretch) {
            Stretch(dest, from, y, to - from, sh, source, sourceRect.left + left, sourceRect.top,
                    middle, sh);
        } else {
            TileAcross(dest, from, to, y, source, sourceRect.left + left, sourceRect.top, middle,
                       sh);
        }
    }
    Copy(dest, x, y, left, sh, source, sourceRect.left, sourceRect.top);
    Copy(dest, to, y, right, sh, source, sourceRect.right - right, sourceRect.top);
}

void FillArea(HDC dest, const graphics::TRect& area, HDC source,
              const graphics::TRect& sourceRect, bool stretch, TbsStretchType type) {
    const int sw = sourceRect.Width();
    const int sh = sourceRect.Height();
    if (area.IsEmpty() || sw <= 0 || sh <= 0) return;
    ClipScope clip(dest, area.left, area.top, area.right, area.bottom);
    const int sx = sourceRect.left;
    const int sy = sourceRect.top;
    if (stretch && type == TbsStretchType::bsstFull) {
        Stretch(dest, area.left, area.top, area.Width(), area.Height(), source, sx, sy, sw, sh);
    } else if (stretch && type == TbsStretchType::bsstHorz) {
        for (int x = area.left; x < area.right; x += sw) {
            Stretch(dest, x, area.top, sw, area.Height(), source, sx, sy, sw, sh);
        }
    } else if (stretch && type == TbsStretchType::bsstVert) {
        for (int y = area.top; y < area.bottom; y += sh) {
            Stretch(dest, area.left, y, area.Width(), sh, source, sx, sy, sw, sh);
        }
    } else {
        for (int y = area.top; y < area.bottom; y += sh) {
            TileAcross(dest, area.left, area.right, y, source, sx, sy, sw,
                       std::min(sh, area.bottom - y));
        }
    }
}

HRGN RegionFromBlackPixels(graphics::TBitmap& mask) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    HDC dc = mask.Canvas().Handle();
    const int width = mask.Width();
    const int height = mask.Height();
    for (int y = 0; y < height; ++y) {
        int runStart = -1;
        for (int x = 0; x <= width; ++x) {
            const bool black = x < width && (GetPixel(dc, x, y) & 0xFFFFFF) == 0;
            if (black && runStart < 0) runStart = x;
            if (!black && runStart >= 0) {
                HRGN run = CreateRectRgn(runStart, y, x, y + 1);
                CombineRgn(region, region, run, RGN_OR);
                DeleteObject(run);
                runStart = -1;
            }
        }
    }
    return region;
}

}  // namespace skin
