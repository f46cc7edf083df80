#include "skin/skin_image_compose.h"

#include <algorithm>

#include "platform/gdi/gdi.h"

namespace skin {

using namespace platform;
using graphics::Rect;

void DrawFrameRow(HDC dest, int destTop, int width, int height, HDC source, int pictureWidth,
                  int sourceTop, int leftX, int rightX, int dx, bool stretch) {
    if (width <= 0 || height <= 0 || rightX - leftX <= 0) return;
    const int destBottom = destTop + height;
    const int sourceBottom = sourceTop + height;
    ClipScope clip(dest, Rect(0, destTop, width, destBottom));
    const graphics::TRect edge = Rect(leftX, sourceTop, rightX, sourceBottom);
    if (stretch) {
        StretchPiece(dest, Rect(leftX, destTop, rightX + dx, destBottom), source, edge);
    } else {
        TilePiece(dest, Rect(0, destTop, width, destBottom), source, edge);
    }
    // The corners go over the edge piece.
    CopyPiece(dest, 0, destTop, source, Rect(0, sourceTop, leftX, sourceBottom));
    CopyPiece(dest, rightX + dx, destTop, source,
              Rect(rightX, sourceTop, pictureWidth, sourceBottom));
}

void DrawFrameColumn(HDC dest, int destLeft, int destTop, int width, int height, HDC source,
                     int sourceLeft, int middleTop, int middleBottom, int topY, int bottomY,
                     bool stretch) {
    if (width <= 0 || height <= 0 || bottomY - topY <= 0) return;
    const int destRight = destLeft + width;
    const int sourceRight = sourceLeft + width;
    ClipScope clip(dest, Rect(destLeft, destTop, destRight, destTop + height));
    const int upper = topY - middleTop;
    const int lower = middleBottom - bottomY;
    const graphics::TRect edge = Rect(sourceLeft, topY, sourceRight, bottomY);
    if (stretch) {
        StretchPiece(dest, Rect(destLeft, destTop + upper, destRight, destTop + height - lower),
                     source, edge);
    } else {
        TilePiece(dest, Rect(destLeft, destTop, destRight, destTop + height), source, edge);
    }
    CopyPiece(dest, destLeft, destTop, source, Rect(sourceLeft, middleTop, sourceRight, topY));
    CopyPiece(dest, destLeft, destTop + height - lower, source,
              Rect(sourceLeft, bottomY, sourceRight, middleBottom));
}

void ComposeFrame(HDC dest, int width, int height, HDC source, int pictureWidth, int pictureHeight,
                  const TbsFrameCut& cut) {
    const int dx = width - pictureWidth;
    const graphics::TRect& m = cut.middle;
    const int topHeight = m.top;
    const int bottomHeight = pictureHeight - m.bottom;
    DrawFrameRow(dest, 0, width, topHeight, source, pictureWidth, 0, cut.leftTop.x, cut.rightTop.x,
                 dx, cut.topStretch);
    DrawFrameRow(dest, height - bottomHeight, width, bottomHeight, source, pictureWidth, m.bottom,
                 cut.leftBottom.x, cut.rightBottom.x, dx, cut.bottomStretch);
    const int sideHeight = height - topHeight - bottomHeight;
    DrawFrameColumn(dest, 0, topHeight, m.left, sideHeight, source, 0, m.top, m.bottom,
                    cut.leftTop.y, cut.leftBottom.y, cut.leftStretch);
    const int rightWidth = pictureWidth - m.right;
    DrawFrameColumn(dest, width - rightWidth, topHeight, rightWidth, sideHeight, source, m.right,
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
    const int sx = sourceRect.left;
    const int sy = sourceRect.top;
    ClipScope clip(dest, Rect(x, y, x + rowWidth, y + sh));
    const int from = x + left;
    const int to = x + rowWidth - right;
    if (sw - left - right > 0 && to > from) {
        DrawPiece(dest, Rect(from, y, to, y + sh), source,
                  Rect(sx + left, sy, sourceRect.right - right, sourceRect.bottom), stretch);
    }
    CopyPiece(dest, x, y, source, Rect(sx, sy, sx + left, sourceRect.bottom));
    CopyPiece(dest, to, y, source,
              Rect(sourceRect.right - right, sy, sourceRect.right, sourceRect.bottom));
}

}  // namespace skin
