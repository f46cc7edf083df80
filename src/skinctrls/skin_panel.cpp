#include "skinctrls/skin_panel.h"

#include <algorithm>

#include "graphics/canvas.h"
#include "platform/gdi/gdi.h"
#include "skin/picture_pieces.h"
#include "skinctrls/skin_image.h"
#include "ui/draw_utils.h"

namespace skinctrls {

using namespace platform;
using graphics::TBitmap;

namespace {

TRect Inflate(TRect r, int d) {
    return graphics::Rect(r.left + d, r.top + d, r.right - d, r.bottom - d);
}

// A small filled triangle pointing down or up, centred in `rect`.
void DrawArrow(graphics::TCanvas& canvas, const TRect& rect, bool down, graphics::TColor color) {
    const int cx = rect.left + rect.Width() / 2;
    const int cy = rect.top + rect.Height() / 2;
    graphics::TPoint points[3];
    if (down) {
        points[0] = {cx - 3, cy - 1};
        points[1] = {cx + 3, cy - 1};
        points[2] = {cx, cy + 2};
    } else {
        points[0] = {cx - 3, cy + 2};
        points[1] = {cx + 3, cy + 2};
        points[2] = {cx, cy - 1};
    }
    canvas.Pen().SetColor(color);
    canvas.Brush().SetStyle(graphics::TBrushStyle::bsSolid);
    canvas.Brush().SetColor(color);
    canvas.Polygon(points, 3);
}

// Moves a context's logical origin to (x, y) of the drawing for the life of the object.
class ViewportShift {
  public:
    ViewportShift(HDC dc, int x, int y) : dc_(dc), saved_(SaveDC(dc)) {
        OffsetViewportOrgEx(dc, -x, -y, nullptr);
    }
    ~ViewportShift() { RestoreDC(dc_, saved_); }
    ViewportShift(const ViewportShift&) = delete;
    ViewportShift& operator=(const ViewportShift&) = delete;

  private:
    HDC dc_;
    int saved_;
};

}  // namespace

TbsSkinPanel::TbsSkinPanel(ui::TComponent* owner) : TbsSkinCustomControl(owner) {
    paintsOwnBackground_ = true;
    SetSkinDataName("panel");
    SetBounds(Left(), Top(), 150, 150);
}

// ---- properties ----

void TbsSkinPanel::SetDefaultCaptionHeight(int value) {
    defaultCaptionHeight_ = value;
    if (index_ == -1) {
        Invalidate();
        Realign();
    }
}

void TbsSkinPanel::SetBorderStyle(TbsSkinBorderStyle value) {
    borderStyle_ = value;
    if (index_ == -1) {
        Invalidate();
        Realign();
    }
}

void TbsSkinPanel::SetCaptionMode(bool value) {
    captionMode_ = value;
    Invalidate();
    Realign();
}

void TbsSkinPanel::TextChanged() {
    Invalidate();
}

void TbsSkinPanel::SetChecked(bool value) {
    if (checked_ == value) return;
    checked_ = value;
    if (checkedMode_) {
        Invalidate();
        if (autoEnabledControls_) SetChildrenEnabled(checked_);
    }
    if (OnChecked) OnChecked(this);
}

graphics::TColor TbsSkinPanel::SkinCaptionColor() const {
    if (!transparentMode_ || SkinData() == nullptr) return font_.Color;
    // A transparent panel reads like a label on its parent.
    int index = SkinData()->GetControlIndex("stdlabel");
    if (index >= 0) {
        const auto* label = dynamic_cast<const skin::TbsDataSkinStdLabelControl*>(
            SkinData()->CtrlList()[size_t(index)].get());
        if (label != nullptr) return label->FontColor;
    }
    return SkinData()->SkinColors().cBtnText;
}

void TbsSkinPanel::ParentBackgroundChanged() {
    if (!transparentMode_) return;
    Invalidate();
    NotifyChildrenOfBackground();
}

void TbsSkinPanel::SetChildrenEnabled(bool value) {
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetEnabled(value);
}

void TbsSkinPanel::SetChildrenVisible(bool value) {
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetVisible(value);
}

void TbsSkinPanel::SetRollUpMode(bool value) {
    rollUpMode_ = value;
    Invalidate();
}

void TbsSkinPanel::SetRollUpState(bool value) {
    if (rollUpState_ == value) return;
    rollUpState_ = value;
    if (value) {
        realHeight_ = Height();
        SetChildrenVisible(false);
        // The caption alone may be smaller than the constraints allow the panel.
        constraintsBeforeRollUp_.Assign(Constraints());
        Constraints().Clear();
        SetBounds(Left(), Top(), Width(), RolledUpHeight());
    } else {
        if (realHeight_ > 0) SetBounds(Left(), Top(), Width(), realHeight_);
        realHeight_ = -1;
        SetChildrenVisible(true);
        Constraints().Assign(constraintsBeforeRollUp_);
        constraintsBeforeRollUp_.Clear();
    }
    Invalidate();
    if (OnChangeRollUpState) OnChangeRollUpState(this);
}

int TbsSkinPanel::RolledUpHeight() const {
    return index_ == -1 ? defaultCaptionHeight_ + 1 : Height() - ActualClientRect().Height();
}

// ---- binding and geometry ----

void TbsSkinPanel::BindSkinObject() {
    TbsSkinCustomControl::BindSkinObject();
    bgPictureIndex_ = -1;
    captionRect_ = {};
    const auto* object = SkinObjectAs<skin::TbsDataSkinPanelControl>();
    if (object == nullptr) return;
    bgPictureIndex_ = object->BGPictureIndex;
    captionRect_ = ToRect(object->CaptionRect);
    alignment_ = object->Alignment;
    font_.CopyFrom(*object);
    checkImageRect_ = ToRect(object->CheckImageRect);
    unCheckImageRect_ = ToRect(object->UnCheckImageRect);
    markFrameRect_ = ToRect(object->MarkFrameRect);
    frameRect_ = ToRect(object->FrameRect);
    frameTextRect_ = ToRect(object->FrameTextRect);
    frameLeftOffset_ = object->FrameLeftOffset;
    frameRightOffset_ = object->FrameRightOffset;
}

void TbsSkinPanel::SetBounds(int left, int top, int width, int height) {
    const bool moved = left != Left() || top != Top();
    TbsSkinCustomControl::SetBounds(left, top, width, height);
    // A transparent panel shows what lies under it, which changed with the move.
    if (moved && transparentMode_ && !Destroying()) {
        Invalidate();
        NotifyChildrenOfBackground();
    }
}

void TbsSkinPanel::ApplySkinChange() {
    TbsSkinCustomControl::ApplySkinChange();
    if (rollUpState_) {
        SetBounds(Left(), Top(), Width(), RolledUpHeight());
    } else {
        Realign();
    }
}

TRect TbsSkinPanel::AlignmentArea() const {
    const TRect whole = graphics::Rect(0, 0, Width(), Height());
    if (index_ == -1 || (ComponentState() & ui::csDesigning) != 0) {
        TRect r = borderStyle_ == TbsSkinBorderStyle::bvNone ? whole : Inflate(whole, 1);
        if (captionMode_) r.top += defaultCaptionHeight_;
        return r;
    }
    if (bgPictureIndex_ != -1 || (borderStyle_ == TbsSkinBorderStyle::bvNone && !captionMode_ &&
                                  skinLayout_.LayoutMode == TbsSkinLayoutMode::NinePart))
        return whole;
    return ActualClientRect();
}

TRect TbsSkinPanel::RelocateRect(const TRect& rect) const {
    if (skinLayout_.LayoutMode == TbsSkinLayoutMode::Fixed || rect.IsEmpty()) return rect;
    const TbsSkinGeometry& g = skinLayout_.Geometry;
    const int dx = Width() - skinLayout_.SkinRect.Width();
    const int dy = Height() - skinLayout_.SkinRect.Height();
    TRect r = rect;
    if (rect.left >= g.RT.x) {  // right-hand corner or edge: moves with the right side
        r.left += dx;
        r.right += dx;
    } else if (rect.right > g.RT.x) {  // spans the top or bottom edge: widens with it
        r.right += dx;
    }
    if (rect.top >= g.LB.y) {
        r.top += dy;
        r.bottom += dy;
    } else if (rect.bottom > g.LB.y && g.LB.y > 0) {
        r.bottom += dy;
    }
    return r;
}

TRect TbsSkinPanel::SkinCaptionRect() const {
    if (index_ == -1 || captionRect_.IsEmpty()) return {};
    return RelocateRect(captionRect_);
}

// ---- painting ----

void TbsSkinPanel::FillClientPiece(HDC dc, const TRect& area) const {
    const TBitmap* picture = SkinPicture();
    if (picture == nullptr || area.IsEmpty()) return;
    TBitmap source;
    source.CopyFrom(picture);
    const TRect& cr = skinLayout_.Geometry.ClRect;
    TRect piece =
        graphics::Rect(skinLayout_.SkinRect.left + cr.left, skinLayout_.SkinRect.top + cr.top,
                       skinLayout_.SkinRect.left + cr.right, skinLayout_.SkinRect.top + cr.bottom);
    skin::ClipScope clip(dc, area);
    FillByStretchType(dc, area, source.Canvas().Handle(), piece, skinLayout_.Geometry.StretchEffect,
                      skinLayout_.Geometry.StretchType);
}

TbsSkinPanel::SkinLook TbsSkinPanel::Look() const {
    const bool ninePart = skinLayout_.LayoutMode == TbsSkinLayoutMode::NinePart;
    if (SkinPicture() == nullptr) return SkinLook::Plain;
    if (borderStyle_ == TbsSkinBorderStyle::bvNone && !captionMode_ && ninePart)
        return SkinLook::ClientPiece;
    if (SkinBitmap(SkinData(), bgPictureIndex_) != nullptr) return SkinLook::Background;
    if (ninePart && !skinLayout_.Geometry.StretchEffect) return SkinLook::FrameStrips;
    return SkinLook::Composed;
}

void TbsSkinPanel::RenderSkinImage(TBitmap& bitmap) {
    const TRect whole = graphics::Rect(0, 0, Width(), Height());
    const SkinLook look = Look();
    if (look == SkinLook::Plain) {
        RenderDefaultImage(bitmap);
        return;
    }
    const TBitmap& picture = *SkinPicture();
    if (look == SkinLook::Composed || look == SkinLook::FrameStrips)
        skinLayout_.Compose(bitmap, picture, skinLayout_.SkinRect, Width(), Height(),
                            look == SkinLook::Composed);
    if (bitmap.IsEmpty()) return;
    bitmap.Canvas().Changing();
    HDC dc = bitmap.Canvas().Handle();
    if (look == SkinLook::ClientPiece) FillClientPiece(dc, whole);
    if (look == SkinLook::FrameStrips) FillClientPiece(dc, ActualClientRect());
    if (look == SkinLook::Background) {
        TBitmap source;
        source.CopyFrom(SkinBitmap(SkinData(), bgPictureIndex_));
        FillByStretchType(dc, whole, source.Canvas().Handle(),
                          graphics::Rect(0, 0, source.Width(), source.Height()),
                          skinLayout_.Geometry.StretchEffect, skinLayout_.Geometry.StretchType);
    }
    bitmap.Canvas().Changed();
    DrawSkinCaption(bitmap.Canvas());
}

void TbsSkinPanel::Paint() {
    BindSkinObject();
    if (index_ == -1 || Width() < 1 || Height() < 1 || Look() != SkinLook::FrameStrips) {
        TbsSkinCustomControl::Paint();
        return;
    }
    // The client piece goes straight to the screen; only the frame around it is built off
    // screen, as four strips, so a large panel needs no bitmap of its whole size.
    HDC screen = Canvas().Handle();
    const TRect client = ActualClientRect();
    FillClientPiece(screen, client);
    const int w = Width();
    const int h = Height();
    const TRect strips[] = {graphics::Rect(0, 0, w, client.top),
                            graphics::Rect(0, client.top, client.left, client.bottom),
                            graphics::Rect(client.right, client.top, w, client.bottom),
                            graphics::Rect(0, client.bottom, w, h)};
    for (const TRect& place : strips) {
        if (place.IsEmpty()) continue;
        TBitmap strip;
        RenderFrameStrip(strip, place);
        // The caption lies in the top strip.
        if (place.top == 0) DrawSkinCaption(strip.Canvas());
        BitBlt(screen, place.left, place.top, place.Width(), place.Height(),
               strip.Canvas().Handle(), 0, 0, SRCCOPY);
    }
}

void TbsSkinPanel::RenderFrameStrip(TBitmap& strip, const TRect& place) const {
    strip.SetWidth(place.Width());
    strip.SetHeight(place.Height());
    TBitmap source;
    source.CopyFrom(SkinPicture());
    strip.Canvas().Changing();
    {
        // The strip sees the panel's frame image through its own place.
        ViewportShift shift(strip.Canvas().Handle(), place.left, place.top);
        DrawNinePartImage(strip.Canvas().Handle(), Width(), Height(), source.Canvas().Handle(),
                          skinLayout_.SkinRect, skinLayout_.Geometry, false);
    }
    strip.Canvas().Changed();
}

int TbsSkinPanel::DrawCheckMark(graphics::TCanvas& canvas, const TBitmap& source,
                                const TRect& rect) {
    const TRect& mark = checked_ ? checkImageRect_ : unCheckImageRect_;
    if (!checkedMode_ || mark.IsEmpty() || source.IsEmpty()) return rect.left;
    TBitmap image;
    image.SetWidth(mark.Width());
    image.SetHeight(mark.Height());
    image.Canvas().CopyRect(graphics::Rect(0, 0, mark.Width(), mark.Height()),
                            const_cast<TBitmap&>(source).Canvas(), mark);
    image.SetTransparent(true);
    canvas.Draw(rect.left, rect.top + (rect.Height() - mark.Height()) / 2, &image);
    return rect.left + mark.Width() + 2;
}

TbsSkinPanel::CaptionPlace TbsSkinPanel::PlaceCaption(const TRect& rect, int textWidth,
                                                      int textLeftLimit) const {
    const int gw = glyph_.IsEmpty() ? 0 : glyph_.Width() / std::max(numGlyphs_, 1);
    const int imageWidth = gw > 0 ? gw + spacing_ : 0;
    const int fullWidth = textWidth + imageWidth;
    int x;
    switch (alignment_) {
        case skin::TAlignment::taLeftJustify:
            x = textLeftLimit;
            break;
        case skin::TAlignment::taRightJustify:
            x = rect.right - fullWidth;
            break;
        default:
            x = rect.left + rect.Width() / 2 - fullWidth / 2;
            break;
    }
    CaptionPlace place{x, x + imageWidth, gw};
    if (imagePosition_ == TbsImagePosition::bsipLeft && gw > 0) {
        place.glyphX = rect.left + 2;
        place.textX = std::max(place.textX, place.glyphX + gw + spacing_);
    }
    place.textX = std::max(place.textX, textLeftLimit);
    return place;
}

int TbsSkinPanel::DrawCaptionFrame(graphics::TCanvas& canvas, const TBitmap& source, int x, int top,
                                   int textWidth) {
    if (frameRect_.IsEmpty() || source.IsEmpty()) return x;
    TBitmap frameImage;
    int width = textWidth + (frameRect_.Width() - frameTextRect_.Width());
    ComposeHorizontalImage(frameImage, width, source, frameRect_, frameLeftOffset_,
                           frameRightOffset_, false);
    canvas.Draw(x, top, &frameImage);
    // The text rect is measured inside the frame image.
    return x + frameTextRect_.left;
}

void TbsSkinPanel::DrawRollUpMarker(graphics::TCanvas& canvas, const TBitmap& source,
                                    const TRect& rect) {
    TRect marker = graphics::Rect(rect.right + 2, rect.top, rect.right + 12, rect.bottom);
    if (!markFrameRect_.IsEmpty() && !source.IsEmpty())
        canvas.CopyRect(graphics::Bounds(marker.left, marker.top, markFrameRect_.Width(),
                                         markFrameRect_.Height()),
                        const_cast<TBitmap&>(source).Canvas(), markFrameRect_);
    DrawArrow(canvas, marker, rollUpState_, SkinCaptionColor());
}

void TbsSkinPanel::DrawSkinCaption(graphics::TCanvas& canvas) {
    TRect rect = SkinCaptionRect();
    if (Caption().empty() || rect.IsEmpty()) return;
    if (rollUpMode_) rect.right -= 12;
    TBitmap source;
    if (const TBitmap* picture = SkinPicture()) source.CopyFrom(picture);
    const int textLeftLimit = DrawCheckMark(canvas, source, rect);
    font_.Select(canvas.Font(), DefaultFont(), UseSkinFont(), SkinData());
    canvas.Font().SetColor(SkinCaptionColor());
    const std::string& text = Caption();
    const int textWidth = canvas.TextWidth(text);
    const CaptionPlace place = PlaceCaption(rect, textWidth, textLeftLimit);
    const int textX = DrawCaptionFrame(canvas, source, place.textX, rect.top, textWidth);
    // The text, clipped to the caption rect and vertically centred.
    canvas.Changing();
    canvas.EnsureDrawState();
    HDC dc = canvas.Handle();
    int saved = SaveDC(dc);
    IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, graphics::ColorToRGB(canvas.Font().Color()));
    RECT box{textX, rect.top, rect.right, rect.bottom};
    DrawText(dc, text.c_str(), int(text.size()), &box, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    RestoreDC(dc, saved);
    canvas.Changed();
    if (place.glyphWidth > 0) {
        int frame = (!Enabled() && numGlyphs_ == 2) ? 2 : 1;
        DrawGlyphFrame(canvas, place.glyphX, rect.top + (rect.Height() - glyph_.Height()) / 2,
                       glyph_, frame, numGlyphs_);
    }
    if (rollUpMode_) DrawRollUpMarker(canvas, source, rect);
}

void TbsSkinPanel::RenderDefaultImage(TBitmap& bitmap) {
    if (bitmap.IsEmpty()) return;
    graphics::TCanvas& canvas = bitmap.Canvas();
    const TRect whole = graphics::Rect(0, 0, Width(), Height());
    ui::FillColor(canvas, whole, graphics::clBtnFace);
    switch (borderStyle_) {
        case TbsSkinBorderStyle::bvFrame:
            ui::Frame3D(canvas, whole, graphics::clBtnShadow, graphics::clBtnShadow);
            break;
        case TbsSkinBorderStyle::bvRaised:
            ui::Frame3D(canvas, whole, graphics::clBtnHighlight, graphics::clBtnShadow);
            break;
        case TbsSkinBorderStyle::bvLowered:
            ui::Frame3D(canvas, whole, graphics::clBtnShadow, graphics::clBtnHighlight);
            break;
        case TbsSkinBorderStyle::bvNone:
            break;
    }
    if (!captionMode_) return;
    TRect bar = graphics::Rect(0, 0, Width(), defaultCaptionHeight_);
    if (borderStyle_ != TbsSkinBorderStyle::bvNone) bar = Inflate(bar, 1);
    ui::Frame3D(canvas, bar, graphics::clBtnHighlight, graphics::clBtnShadow);
    ui::Frame3D(canvas, Inflate(bar, 1), graphics::clBtnHighlight, graphics::clBtnShadow);
    DrawDefaultCaption(canvas, bar);
}

void TbsSkinPanel::DrawDefaultCaption(graphics::TCanvas& canvas, const TRect& bar) {
    TRect rect = Inflate(bar, 2);
    if (checkedMode_) {
        TRect box = graphics::Bounds(5, bar.top + (bar.Height() - 14) / 2, 14, 14);
        ui::FillColor(canvas, box, graphics::clWindow);
        ui::Frame3D(canvas, box, graphics::clBtnShadow, graphics::clBtnHighlight);
        if (checked_) {
            canvas.Pen().SetColor(graphics::clWindowText);
            canvas.MoveTo(box.left + 3, box.top + 7);
            canvas.LineTo(box.left + 6, box.top + 10);
            canvas.LineTo(box.left + 11, box.top + 4);
        }
        rect.left = box.right + 2;
    }
    if (rollUpMode_) {
        DrawArrow(canvas, graphics::Rect(rect.right - 12, rect.top, rect.right, rect.bottom),
                  rollUpState_, graphics::clBtnText);
        rect.right -= 12;
    }
    if (Caption().empty()) return;
    canvas.Font().CopyFrom(&DefaultFont());
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    switch (defaultAlignment_) {
        case ui::TAlignment::taLeftJustify:
            rect.left += 2;
            break;
        case ui::TAlignment::taRightJustify:
            format |= DT_RIGHT;
            break;
        case ui::TAlignment::taCenter:
            format |= DT_CENTER;
            break;
    }
    ui::DrawCaption(canvas, Caption(), rect, format);
}

// ---- check mark and roll-up ----

TRect TbsSkinPanel::CaptionHitArea() const {
    if (index_ == -1) return graphics::Rect(1, 1, Width() - 1, defaultCaptionHeight_);
    // The roll-up marker lies inside the caption rect.
    return SkinCaptionRect();
}

void TbsSkinPanel::MouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    if (button == ui::TMouseButton::mbLeft && captionMode_ && (checkedMode_ || rollUpMode_)) {
        TRect area = CaptionHitArea();
        if (x >= area.left && x < area.right && y >= area.top && y < area.bottom) {
            if (checkedMode_) SetChecked(!checked_);
            if (rollUpMode_) SetRollUpState(!rollUpState_);
        }
    }
    TbsSkinCustomControl::MouseUp(button, shift, x, y);
}

// ---------------------------------------------------------------------------------------------

TbsSkinGroupBox::TbsSkinGroupBox(ui::TComponent* owner) : TbsSkinPanel(owner) {
    SetSkinDataName("groupbox");
    SetCaptionMode(true);
}

}  // namespace skinctrls
