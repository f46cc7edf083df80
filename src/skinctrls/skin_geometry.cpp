#include "skinctrls/skin_geometry.h"

#include "graphics/canvas.h"
#include "platform/gdi/gdi.h"

namespace skinctrls {

void TbsSkinLayout::CopyFrom(const skin::TbsDataSkinControl* object) {
    Clear();
    const auto* custom = dynamic_cast<const skin::TbsDataSkinCustomControl*>(object);
    if (custom == nullptr) return;
    SkinRect = ToRect(custom->SkinRect);
    PictureIndex = custom->PictureIndex;
    MaskPictureIndex = custom->MaskPictureIndex;
    TbsSkinGeometry& g = Geometry;
    g.LT = ToPoint(custom->LTPoint);
    g.RT = ToPoint(custom->RTPoint);
    g.LB = ToPoint(custom->LBPoint);
    g.RB = ToPoint(custom->RBPoint);
    g.ClRect = ToRect(custom->ClRect);
    g.NewLT = g.LT;
    g.NewRT = g.RT;
    g.NewLB = g.LB;
    g.NewRB = g.RB;
    g.NewClRect = g.ClRect;
    g.LeftStretch = custom->LeftStretch;
    g.TopStretch = custom->TopStretch;
    g.RightStretch = custom->RightStretch;
    g.BottomStretch = custom->BottomStretch;
    g.StretchEffect = custom->StretchEffect;
    g.StretchType = custom->StretchType;
    LayoutMode = ModeOf(SkinRect, g);
}

TbsSkinLayoutMode TbsSkinLayout::ModeOf(const TRect& skinRect, const TbsSkinGeometry& g) {
    if (skinRect.IsEmpty()) return TbsSkinLayoutMode::NoSkinRect;
    if (g.RB.x != 0 && g.RB.y != 0) return TbsSkinLayoutMode::NinePart;
    if (g.RT.x != 0 || g.RT.y != 0) return TbsSkinLayoutMode::Horizontal;
    if (g.LB.x != 0 || g.LB.y != 0) return TbsSkinLayoutMode::Vertical;
    return TbsSkinLayoutMode::Fixed;
}

void TbsSkinLayout::ComputeSize(int& width, int& height) {
    TbsSkinGeometry& g = Geometry;
    const int dx = width - SkinRect.Width();
    const int dy = height - SkinRect.Height();
    switch (LayoutMode) {
        case TbsSkinLayoutMode::Fixed:
            // An object that is no resizable control has no skin rect: the control keeps its
            // size rather than shrinking to nothing.
            if (!SkinRect.IsEmpty()) {
                width = SkinRect.Width();
                height = SkinRect.Height();
            }
            g.NewClRect = g.ClRect;
            break;
        case TbsSkinLayoutMode::NinePart:
            g.NewLT = g.LT;
            g.NewRT = {g.RT.x + dx, g.RT.y};
            g.NewLB = {g.LB.x, g.LB.y + dy};
            g.NewRB = {g.RB.x + dx, g.RB.y + dy};
            g.NewClRect = graphics::Rect(g.ClRect.left, g.ClRect.top, g.ClRect.right + dx,
                                         g.ClRect.bottom + dy);
            break;
        case TbsSkinLayoutMode::Horizontal:
            height = SkinRect.Height();
            g.NewRT = {g.RT.x + dx, g.RT.y};
            g.NewClRect =
                graphics::Rect(g.ClRect.left, g.ClRect.top, g.ClRect.right + dx, g.ClRect.bottom);
            break;
        case TbsSkinLayoutMode::Vertical:
            width = SkinRect.Width();
            g.NewLB = {g.LB.x, g.LB.y + dy};
            g.NewClRect =
                graphics::Rect(g.ClRect.left, g.ClRect.top, g.ClRect.right, g.ClRect.bottom + dy);
            break;
        case TbsSkinLayoutMode::NoSkinRect:
            break;
    }
}

void TbsSkinLayout::Compose(graphics::TBitmap& result, const graphics::TBitmap& picture,
                            const TRect& rect, int width, int height, bool drawClient) const {
    const TbsSkinGeometry& g = Geometry;
    switch (LayoutMode) {
        case TbsSkinLayoutMode::Fixed: {
            graphics::TBitmap source;
            source.CopyFrom(&picture);
            result.SetWidth(rect.Width());
            result.SetHeight(rect.Height());
            if (result.IsEmpty() || source.IsEmpty()) return;
            result.Canvas().CopyRect(graphics::Rect(0, 0, rect.Width(), rect.Height()),
                                     source.Canvas(), rect);
            return;
        }
        case TbsSkinLayoutMode::NinePart:
            ComposeNinePartImage(result, width, height, picture, rect, g, drawClient);
            return;
        case TbsSkinLayoutMode::Horizontal:
            ComposeHorizontalImage(result, width, picture, rect, g.LT.x, rect.Width() - g.RT.x,
                                   g.StretchEffect);
            return;
        case TbsSkinLayoutMode::Vertical:
            ComposeVerticalImage(result, height, picture, rect, g.LT.y, rect.Height() - g.LB.y,
                                 g.StretchEffect);
            return;
        case TbsSkinLayoutMode::NoSkinRect:
            return;
    }
}

const graphics::TBitmap* SkinBitmap(const skin::TbsSkinData* data, int32_t index) {
    if (data == nullptr || index < 0) return nullptr;
    const skin::TbsSkinPicture* picture = data->ActivePicture(index);
    if (picture == nullptr || picture->Bitmap().IsEmpty()) return nullptr;
    return &picture->Bitmap();
}

}  // namespace skinctrls
