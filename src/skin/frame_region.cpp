#include "skin/frame_region.h"

#include "platform/gdi/gdi.h"

namespace skin {

using namespace platform;

HRGN MaskRegion(const TbsFrameStrips& strips, const graphics::TRect& maskArea) {
    HRGN region = CreateRectRgn(maskArea.left, maskArea.top, maskArea.right, maskArea.bottom);
    for (const TbsFrameStrip* strip : {&strips.Top, &strips.Bottom, &strips.Left, &strips.Right}) {
        if (!strip->Bitmap) continue;
        HRGN part = RegionFromRects(BlackRuns(*strip->Bitmap, strip->At, kMaxRegionRuns));
        if (part == nullptr) continue;
        CombineRgn(region, region, part, RGN_OR);
        DeleteObject(part);
    }
    return region;
}

}  // namespace skin
