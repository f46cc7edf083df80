#include "skin/picture_pieces.h"

#include <algorithm>

#include "platform/gdi/gdi.h"

namespace skin {

using namespace platform;

ClipScope::ClipScope(HDC dc, const graphics::TRect& clip) : dc_(dc), saved_(SaveDC(dc)) {
    IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
}

ClipScope::~ClipScope() {
    RestoreDC(dc_, saved_);
}

void CopyPiece(HDC target, int x, int y, HDC source, const graphics::TRect& src) {
    if (src.IsEmpty()) return;
    BitBlt(target, x, y, src.Width(), src.Height(), source, src.left, src.top, SRCCOPY);
}

void TilePiece(HDC target, const graphics::TRect& dest, HDC source, const graphics::TRect& src) {
    const int stepX = src.Width();
    const int stepY = src.Height();
    if (stepX <= 0 || stepY <= 0 || dest.IsEmpty()) return;
    for (int y = dest.top; y < dest.bottom; y += stepY) {
        const int h = std::min(stepY, dest.bottom - y);
        for (int x = dest.left; x < dest.right; x += stepX) {
            const int w = std::min(stepX, dest.right - x);
            BitBlt(target, x, y, w, h, source, src.left, src.top, SRCCOPY);
        }
    }
}

void StretchPiece(HDC target, const graphics::TRect& dest, HDC source, const graphics::TRect& src) {
    if (src.IsEmpty() || dest.IsEmpty()) return;
    const int oldMode = SetStretchBltMode(target, COLORONCOLOR);
    StretchBlt(target, dest.left, dest.top, dest.Width(), dest.Height(), source, src.left, src.top,
               src.Width(), src.Height(), SRCCOPY);
    SetStretchBltMode(target, oldMode);
}

void DrawPiece(HDC target, const graphics::TRect& dest, HDC source, const graphics::TRect& src,
               bool stretch) {
    if (stretch)
        StretchPiece(target, dest, source, src);
    else
        TilePiece(target, dest, source, src);
}

void FillByStretchType(HDC target, const graphics::TRect& dest, HDC source,
                       const graphics::TRect& src, bool stretch, TbsStretchType type) {
    if (src.IsEmpty() || dest.IsEmpty()) return;
    if (!stretch) {
        TilePiece(target, dest, source, src);
        return;
    }
    switch (type) {
        case TbsStretchType::bsstFull:
            StretchPiece(target, dest, source, src);
            return;
        case TbsStretchType::bsstHorz:
            // Each column of tiles is the piece stretched to the full height.
            for (int x = dest.left; x < dest.right; x += src.Width()) {
                const int w = std::min(src.Width(), dest.right - x);
                const graphics::TRect part =
                    graphics::Rect(src.left, src.top, src.left + w, src.bottom);
                StretchPiece(target, graphics::Rect(x, dest.top, x + w, dest.bottom), source, part);
            }
            return;
        case TbsStretchType::bsstVert:
            for (int y = dest.top; y < dest.bottom; y += src.Height()) {
                const int h = std::min(src.Height(), dest.bottom - y);
                const graphics::TRect part =
                    graphics::Rect(src.left, src.top, src.right, src.top + h);
                StretchPiece(target, graphics::Rect(dest.left, y, dest.right, y + h), source, part);
            }
            return;
    }
}

}  // namespace skin
