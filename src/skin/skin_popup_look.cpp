#include "skin/skin_popup_look.h"

#include <algorithm>
#include <tuple>

#include "graphics/bitmap.h"
#include "graphics/color.h"
#include "platform/gdi/gdi.h"
#include "skin/mask_region.h"
#include "skin/morph_blend.h"
#include "skin/skin_data.h"
#include "skin/skin_image_compose.h"
#include "ui/image_list.h"

namespace skin {

using graphics::TCanvas;
using namespace platform;

namespace {

// The plain look's active row: light blue with a navy frame.
constexpr graphics::TColor kPlainActiveColor = 13811126;
constexpr int kScrollMarkerHeight = 10;
// The text of a skinned row starts this far into the text rect when the skin gives no
// image place (the glyph column without an image list).
constexpr int kSkinTextGlyphWidth = 16;
// The shortcut text ends this far before the text rect's right edge.
constexpr int kShortCutGap = 16;

const TbsDataSkinMenuItem* FindMenuItemObject(const TbsSkinData& data) {
    for (const char* name : {"menuitem", "MENUITEM"}) {
        int index = data.GetIndex(name);
        if (index < 0) continue;
        auto* item =
            dynamic_cast<const TbsDataSkinMenuItem*>(data.ObjectList()[size_t(index)].get());
        if (item != nullptr) return item;
    }
    for (const auto& object : data.ObjectList()) {
        if (auto* item = dynamic_cast<const TbsDataSkinMenuItem*>(object.get())) return item;
    }
    return nullptr;
}

const TbsSkinPicture* UsablePicture(const TbsSkinData& data, int32_t index) {
    const TbsSkinPicture* picture = data.ActivePicture(index);
    if (picture == nullptr || picture->Empty() || picture->Width() <= 0 || picture->Height() <= 0) {
        return nullptr;
    }
    return picture;
}

bool Inside(const TRect& r, const TbsSkinPicture& picture) {
    return !r.IsEmpty() && r.Left >= 0 && r.Top >= 0 && r.Right <= picture.Width() &&
           r.Bottom <= picture.Height();
}

void Fill(TCanvas& canvas, const graphics::TRect& r, graphics::TColor color) {
    canvas.Brush().SetStyle(graphics::TBrushStyle::bsSolid);
    canvas.Brush().SetColor(color);
    canvas.FillRect(r);
}

void Frame(TCanvas& canvas, const graphics::TRect& r, graphics::TColor color) {
    canvas.Brush().SetStyle(graphics::TBrushStyle::bsSolid);
    canvas.Brush().SetColor(color);
    canvas.FrameRect(r);
}

// A small solid triangle: pointing up, down or right from its base.
void Triangle(TCanvas& canvas, graphics::TPoint a, graphics::TPoint b, graphics::TPoint c,
              graphics::TColor color) {
    canvas.Pen().SetColor(color);
    canvas.Brush().SetStyle(graphics::TBrushStyle::bsSolid);
    canvas.Brush().SetColor(color);
    const graphics::TPoint points[3] = {a, b, c};
    canvas.Polygon(points, 3);
}

graphics::TRect CentredIn(const graphics::TRect& place, int width, int height) {
    const int x = place.left + (place.Width() - width) / 2;
    const int y = place.top + (place.Height() - height) / 2;
    return graphics::Bounds(x, y, width, height);
}

}  // namespace

HDC PictureDC(const TbsSkinPicture& picture) {
    // Reading only: the skin data keeps owning the picture.
    return const_cast<TbsSkinPicture&>(picture).Bitmap().Canvas().Handle();
}

TbsPopupLook::TbsPopupLook(TbsSkinData* skinData, const TbsMenuLookSettings& settings)
    : skinData_(skinData),
      defaultItemHeight_(std::max(1, settings.defaultItemHeight)),
      fontName_(settings.defaultFontName),
      fontHeight_(settings.defaultFontHeight),
      fontStyle_(settings.defaultFontStyle),
      fontCharset_(settings.defaultFontCharset) {
    if (skinData_ != nullptr && skinData_->ResourceStrData() != nullptr) {
        fontCharset_ = uint8_t(skinData_->ResourceStrData()->CharSet());
    }
    if (skinData_ == nullptr || skinData_->Empty()) return;
    popup_ = &skinData_->PopupWindow();
    const TbsSkinPicture* window = UsablePicture(*skinData_, popup_->WindowPictureIndex);
    // An items rect outside the picture cannot be composed: treat it as no popup picture.
    if (window == nullptr || !Inside(popup_->ItemsRect, *window)) return;
    windowPicture_ = window;
    const TbsSkinPicture* mask = UsablePicture(*skinData_, popup_->MaskPictureIndex);
    if (mask != nullptr && mask->Width() == window->Width() && mask->Height() == window->Height()) {
        maskPicture_ = mask;
    }
    itemData_ = FindMenuItemObject(*skinData_);
    if (itemData_ == nullptr) return;
    const TbsSkinPicture* items = UsablePicture(*skinData_, itemData_->ActivePictureIndex);
    if (items != nullptr && Inside(itemData_->SkinRect, *items)) itemPicture_ = items;
    morphing_ = itemPicture_ != nullptr && skinData_->EnableSkinEffects() && itemData_->Morphing &&
                Inside(itemData_->ActiveSkinRect, *itemPicture_) &&
                itemData_->ActiveSkinRect.Height() == itemData_->SkinRect.Height();
    // The strip holds the frames side by side, each as large as the first.
    const TRect& strip = itemData_->AnimateSkinRect;
    if (itemPicture_ != nullptr && skinData_->EnableSkinEffects() && itemData_->FrameCount > 0 &&
        Inside(strip, *itemPicture_) && strip.Height() == itemData_->SkinRect.Height() &&
        strip.Left + itemData_->FrameCount * strip.Width() <= itemPicture_->Width())
        frameCount_ = itemData_->FrameCount;
    if (settings.useSkinFont) {
        fontName_ = itemData_->FontName;
        fontHeight_ = itemData_->FontHeight;
        fontStyle_ = itemData_->FontStyle;
    }
}

// ---- sizes ----

int TbsPopupLook::GlyphWidth() const {
    return images_ != nullptr ? images_->Width() + 5 : 19;
}

int TbsPopupLook::ItemHeight(const TbsSkinMenuItem& item) const {
    if (item.OwnerHeight > 0) return item.OwnerHeight;
    if (Skinned() && itemData_ != nullptr) {
        const TRect& r = item.IsSeparator() ? itemData_->DividerRect : itemData_->SkinRect;
        if (r.Height() > 0) return r.Height();
    }
    return item.IsSeparator() ? 4 : defaultItemHeight_;
}

int TbsPopupLook::RegularItemHeight() const {
    if (Skinned() && itemData_ != nullptr && itemData_->SkinRect.Height() > 0) {
        return itemData_->SkinRect.Height();
    }
    return defaultItemHeight_;
}

int TbsPopupLook::FrameWidth() const {
    return Skinned() ? windowPicture_->Width() - popup_->ItemsRect.Width() : 4;
}

int TbsPopupLook::FrameHeight() const {
    return Skinned() ? windowPicture_->Height() - popup_->ItemsRect.Height() : 4;
}

int TbsPopupLook::RowTextExtra() const {
    if (Skinned() && itemData_ != nullptr && !itemData_->TextRect.IsEmpty()) {
        return std::max(0, itemData_->SkinRect.Width() - itemData_->TextRect.Width());
    }
    return 6;
}

int TbsPopupLook::MeasureItem(TCanvas& canvas, const TbsSkinMenuItem& item) const {
    SelectFont(canvas);
    canvas.EnsureDrawState();
    RECT r{0, 0, 0, 0};
    std::string text = item.CaptionText();
    const std::string shortCut = item.ShortCutText();
    if (!shortCut.empty()) text += "  " + shortCut;
    DrawText(canvas.Handle(), text.c_str(), int(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
    return (r.right - r.left) + 2;
}

graphics::TRect TbsPopupLook::ItemsRect(int width, int height) const {
    if (!Skinned()) return graphics::Rect(2, 2, width - 2, height - 2);
    const TRect& r = popup_->ItemsRect;
    return graphics::Rect(r.Left, r.Top, r.Right + width - windowPicture_->Width(),
                          r.Bottom + height - windowPicture_->Height());
}

// ---- drawing ----

void TbsPopupLook::SelectFont(TCanvas& canvas) const {
    graphics::TFont& font = canvas.Font();
    font.SetName(fontName_);
    font.SetHeight(fontHeight_);
    font.SetStyle(fontStyle_);
    font.SetCharset(fontCharset_);
}

void TbsPopupLook::DrawBackground(TCanvas& canvas, int width, int height) const {
    const graphics::TRect all = graphics::Rect(0, 0, width, height);
    if (!Skinned()) {
        Fill(canvas, all, graphics::clWindow);
        DrawItemsBackground(canvas, ItemsRect(width, height));
        Frame(canvas, all, graphics::clBtnShadow);
        Frame(canvas, graphics::Rect(1, 1, width - 1, height - 1), graphics::clWindow);
        return;
    }
    TbsFrameCut cut;
    cut.leftTop = ToPoint(popup_->LTPoint);
    cut.rightTop = ToPoint(popup_->RTPoint);
    cut.leftBottom = ToPoint(popup_->LBPoint);
    cut.rightBottom = ToPoint(popup_->RBPoint);
    cut.middle = ToRect(popup_->ItemsRect);
    cut.leftStretch = popup_->LeftStretch;
    cut.rightStretch = popup_->RightStretch;
    cut.topStretch = popup_->TopStretch;
    cut.bottomStretch = popup_->BottomStretch;
    ComposeFrame(canvas.Handle(), width, height, PictureDC(*windowPicture_),
                 windowPicture_->Width(), windowPicture_->Height(), cut);
    DrawItemsBackground(canvas, ItemsRect(width, height));
}

void TbsPopupLook::DrawItemsBackground(TCanvas& canvas, const graphics::TRect& area) const {
    if (area.IsEmpty()) return;
    if (Skinned()) {
        FillByStretchType(canvas.Handle(), area, PictureDC(*windowPicture_),
                          ToRect(popup_->ItemsRect), popup_->StretchEffect, popup_->StretchType);
        return;
    }
    Fill(canvas, area, graphics::clWindow);
    graphics::TRect column = area;
    column.right = std::min(area.right, area.left + GlyphWidth() + 2);
    Fill(canvas, column, graphics::clBtnFace);
}

void TbsPopupLook::DrawRowBackground(TCanvas& canvas, const graphics::TRect& area) const {
    if (area.IsEmpty()) return;
    if (!Skinned() || itemData_ == nullptr || itemPicture_ == nullptr ||
        itemData_->InActiveTransparent) {
        DrawItemsBackground(canvas, area);
        return;
    }
    // The normal row image, repeated downward and cut at the area's bottom.
    const TbsDataSkinMenuItem& d = *itemData_;
    const int rowHeight = d.SkinRect.Height();
    for (int y = area.top; y < area.bottom; y += rowHeight) {
        graphics::TRect source = ToRect(d.SkinRect);
        source.bottom = source.top + std::min(rowHeight, area.bottom - y);
        DrawThreePiece(canvas.Handle(), area.left, y, area.Width(), PictureDC(*itemPicture_),
                       source, d.ItemLeftOffset, d.ItemRightOffset, d.InActiveStretchEffect);
    }
}

void TbsPopupLook::DrawItem(TCanvas& canvas, const TbsSkinMenuItem& item) const {
    if (item.MenuItem->OwnerDrawn()) {
        SelectFont(canvas);
        item.MenuItem->OnDrawItem(item.MenuItem, canvas, item.ItemRect,
                                  item.Active && item.Selectable());
        return;
    }
    if (Skinned() && itemData_ != nullptr && itemPicture_ != nullptr) {
        DrawSkinnedItem(canvas, item);
    } else {
        DrawPlainItem(canvas, item);
    }
}

void TbsPopupLook::DrawSkinnedItem(TCanvas& canvas, const TbsSkinMenuItem& item) const {
    const TbsDataSkinMenuItem& d = *itemData_;
    const graphics::TRect& row = item.ItemRect;
    HDC source = PictureDC(*itemPicture_);
    if (item.IsSeparator()) {
        if (Inside(d.DividerRect, *itemPicture_)) {
            DrawThreePiece(canvas.Handle(), row.left, row.top, row.Width(), source,
                           ToRect(d.DividerRect), d.DividerLeftOffset, d.DividerRightOffset,
                           d.DividerStretchEffect);
        } else {
            DrawItemsBackground(canvas, row);
        }
        return;
    }
    const bool active = item.Active && item.Selectable();
    bool activeImage = active;
    const TRect image = RowImage(item, activeImage);
    if (morphing_ && !Framed() && item.Selectable() && item.MorphFactor > 0 &&
        item.MorphFactor < 1) {
        DrawMorphedRow(canvas, item);
    } else if (!activeImage && d.InActiveTransparent) {
        DrawItemsBackground(canvas, row);
    } else {
        DrawThreePiece(canvas.Handle(), row.left, row.top, row.Width(), source, ToRect(image),
                       d.ItemLeftOffset, d.ItemRightOffset,
                       activeImage ? d.StretchEffect : d.InActiveStretchEffect);
    }
    const uint32_t color = active                     ? uint32_t(d.ActiveFontColor)
                           : item.MenuItem->Enabled() ? uint32_t(d.FontColor)
                                                      : uint32_t(d.UnEnabledFontColor);
    graphics::TRect text = row;
    if (!d.TextRect.IsEmpty()) {
        text = graphics::Rect(row.left + d.TextRect.Left, row.top + d.TextRect.Top,
                              row.right - (d.SkinRect.Width() - d.TextRect.Right),
                              row.top + d.TextRect.Bottom);
    }
    // Without an image place the text starts after the glyph column: the images' width + 5,
    // or 16 pixels without images.
    const int glyphWidth = images_ != nullptr ? GlyphWidth() : kSkinTextGlyphWidth;
    const graphics::TRect glyph =
        d.ImageRect.IsEmpty()
            ? graphics::Rect(row.left, row.top, text.left + glyphWidth, row.bottom)
            : graphics::Rect(row.left + d.ImageRect.Left, row.top + d.ImageRect.Top,
                             row.left + d.ImageRect.Right, row.top + d.ImageRect.Bottom);
    if (d.ImageRect.IsEmpty()) text.left += glyphWidth;
    const graphics::TRect arrow =
        graphics::Rect(text.right - row.Height(), row.top, text.right, row.bottom);
    if (item.IsHeading()) {
        DrawCaption(canvas, item, row, color);
    } else {
        DrawCaption(canvas, item, text, color);
    }
    DrawItemMarks(canvas, item, glyph, arrow);
}

// The row's image: the normal or active one, or while the row runs through its frames the
// frame it stands at. While morphing, the image follows the morph factor (the text colour
// follows the active state at once).
TRect TbsPopupLook::RowImage(const TbsSkinMenuItem& item, bool& activeImage) const {
    const TbsDataSkinMenuItem& d = *itemData_;
    if (Framed() && item.Selectable()) {
        activeImage = item.AnimationFrame > frameCount_;
        if (item.AnimationFrame > 0 && item.AnimationFrame <= frameCount_) {
            TRect frame = d.AnimateSkinRect;
            const int shift = (item.AnimationFrame - 1) * frame.Width();
            frame.Left += shift;
            frame.Right += shift;
            activeImage = true;  // drawn with the active row's stretch
            return frame;
        }
    } else if (morphing_ && item.Selectable()) {
        activeImage = item.MorphFactor >= 1;
    }
    return activeImage && Inside(d.ActiveSkinRect, *itemPicture_) ? d.ActiveSkinRect : d.SkinRect;
}

// The normal and active row images mixed by the item's morph factor the way the object's
// morph kind says.
void TbsPopupLook::DrawMorphedRow(TCanvas& canvas, const TbsSkinMenuItem& item) const {
    const TbsDataSkinMenuItem& d = *itemData_;
    const int w = item.ItemRect.Width();
    const int h = d.SkinRect.Height();
    if (w <= 0 || h <= 0) return;
    graphics::TBitmap from, to, mixed;
    for (auto [bitmap, rect, stretch] : {std::tuple{&from, d.SkinRect, d.InActiveStretchEffect},
                                         std::tuple{&to, d.ActiveSkinRect, d.StretchEffect}}) {
        bitmap->SetPixelFormat(graphics::TPixelFormat::pf32bit);
        bitmap->SetWidth(w);
        bitmap->SetHeight(h);
        DrawThreePiece(bitmap->Canvas().Handle(), 0, 0, w, PictureDC(*itemPicture_), ToRect(rect),
                       d.ItemLeftOffset, d.ItemRightOffset, stretch);
    }
    mixed.SetPixelFormat(graphics::TPixelFormat::pf32bit);
    BlendImages(mixed, from, to, item.MorphFactor, d.MorphKind);
    BitBlt(canvas.Handle(), item.ItemRect.left, item.ItemRect.top, w, h, mixed.Canvas().Handle(), 0,
           0, SRCCOPY);
}

void TbsPopupLook::DrawPlainItem(TCanvas& canvas, const TbsSkinMenuItem& item) const {
    const graphics::TRect& row = item.ItemRect;
    const bool active = item.Active && item.Selectable();
    const graphics::TRect column = graphics::Rect(
        row.left, row.top, std::min(row.right, row.left + GlyphWidth() + 2), row.bottom);
    if (active) {
        Fill(canvas, row, kPlainActiveColor);
        Frame(canvas, row, graphics::clNavy);
    } else {
        Fill(canvas, row, graphics::clWindow);
        Fill(canvas, column, graphics::clBtnFace);
    }
    if (item.IsSeparator()) {
        const int y = row.top + row.Height() / 2;
        Fill(canvas, graphics::Rect(column.right + 2, y, row.right - 2, y + 1),
             graphics::clBtnShadow);
        return;
    }
    const uint32_t color = item.MenuItem->Enabled() ? graphics::ColorToRGB(graphics::clWindowText)
                                                    : graphics::ColorToRGB(graphics::clBtnShadow);
    const graphics::TRect text =
        graphics::Rect(row.left + GlyphWidth() + 4, row.top, row.right - 6, row.bottom);
    DrawCaption(canvas, item, item.IsHeading() ? row : text, color);
    DrawItemMarks(canvas, item, column,
                  graphics::Rect(row.right - row.Height(), row.top, row.right, row.bottom));
}

void TbsPopupLook::DrawCaption(TCanvas& canvas, const TbsSkinMenuItem& item,
                               graphics::TRect textRect, uint32_t color) const {
    SelectFont(canvas);
    canvas.Brush().SetStyle(graphics::TBrushStyle::bsClear);
    canvas.EnsureDrawState();
    HDC dc = canvas.Handle();
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, graphics::ColorToRGB(graphics::TColor(color)));
    RECT r = textRect.ToRECT();
    const UINT align = item.IsHeading() ? DT_CENTER : DT_LEFT;
    const std::string text = item.CaptionText();
    DrawText(dc, text.c_str(), int(text.size()), &r, align | DT_VCENTER | DT_SINGLELINE);
    const std::string shortCut = item.ShortCutText();
    if (shortCut.empty() || item.IsHeading()) return;
    RECT s = textRect.ToRECT();
    s.right -= kShortCutGap;
    DrawText(dc, shortCut.c_str(), int(shortCut.size()), &s,
             DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

bool TbsPopupLook::DrawItemImage(TCanvas& canvas, const TRect& source,
                                 const graphics::TRect& place) const {
    if (itemPicture_ == nullptr || !Inside(source, *itemPicture_)) return false;
    graphics::TBitmap image;
    image.SetWidth(source.Width());
    image.SetHeight(source.Height());
    BitBlt(image.Canvas().Handle(), 0, 0, source.Width(), source.Height(), PictureDC(*itemPicture_),
           source.Left, source.Top, SRCCOPY);
    image.SetTransparent(true);
    const graphics::TRect at = CentredIn(place, source.Width(), source.Height());
    canvas.Draw(at.left, at.top, &image);
    return true;
}

bool TbsPopupLook::DrawItemGlyph(TCanvas& canvas, const TbsSkinMenuItem& item,
                                 const graphics::TRect& place) const {
    ui::TMenuItem& menuItem = *item.MenuItem;
    const int index = menuItem.ImageIndex();
    if (images_ != nullptr && index >= 0 && index < images_->Count()) {
        const graphics::TRect at = CentredIn(place, images_->Width(), images_->Height());
        images_->Draw(canvas, at.left, at.top, index, menuItem.Enabled());
        return true;
    }
    if (!menuItem.HasBitmap()) return false;
    graphics::TBitmap& bitmap = menuItem.Bitmap();
    bitmap.SetTransparent(true);
    const graphics::TRect at = CentredIn(place, bitmap.Width(), bitmap.Height());
    canvas.Draw(at.left, at.top, &bitmap);
    return true;
}

void TbsPopupLook::DrawItemMarks(TCanvas& canvas, const TbsSkinMenuItem& item,
                                 const graphics::TRect& glyphRect,
                                 const graphics::TRect& arrowRect) const {
    const bool active = item.Active && item.Selectable();
    const TbsDataSkinMenuItem* d = itemPicture_ != nullptr ? itemData_ : nullptr;
    const graphics::TColor mark =
        item.MenuItem->Enabled() ? graphics::clWindowText : graphics::clBtnShadow;
    if (item.HasSubItems()) {
        const bool drawn =
            d != nullptr &&
            DrawItemImage(canvas, active ? d->ActiveArrowImageRect : d->ArrowImageRect, arrowRect);
        if (!drawn) {
            const int x = item.ItemRect.right - 7;
            const int cy = item.ItemRect.top + item.ItemRect.Height() / 2;
            Triangle(canvas, {x - 4, cy - 4}, {x - 4, cy + 4}, {x, cy}, mark);
        }
    }
    if (DrawItemGlyph(canvas, item, glyphRect)) return;
    if (item.MenuItem->Checked()) {
        const bool drawn =
            d != nullptr &&
            DrawItemImage(canvas, active ? d->ActiveCheckImageRect : d->CheckImageRect, glyphRect);
        if (!drawn) {
            const graphics::TRect box = CentredIn(glyphRect, 7, 7);
            Fill(canvas, box, mark);
        }
    }
}

void TbsPopupLook::DrawScrollMarkers(TCanvas& canvas, const graphics::TRect& itemsRect,
                                     TbsScrollMarker used) const {
    const graphics::TRect top = graphics::Rect(itemsRect.left, itemsRect.top, itemsRect.right,
                                               itemsRect.top + kScrollMarkerHeight);
    const graphics::TRect bottom = graphics::Rect(
        itemsRect.left, itemsRect.bottom - kScrollMarkerHeight, itemsRect.right, itemsRect.bottom);
    DrawRowBackground(canvas, top);
    DrawRowBackground(canvas, bottom);
    const graphics::TColor normal =
        Skinned() ? graphics::TColor(popup_->ScrollMarkerColor) : graphics::clBtnText;
    const graphics::TColor inUse =
        Skinned() ? graphics::TColor(popup_->ScrollMarkerActiveColor) : graphics::clBtnShadow;
    const int cx = (itemsRect.left + itemsRect.right) / 2;
    Triangle(canvas, {cx - 4, top.top + 7}, {cx + 4, top.top + 7}, {cx, top.top + 3},
             used == TbsScrollMarker::Up ? inUse : normal);
    Triangle(canvas, {cx - 4, bottom.bottom - 7}, {cx + 4, bottom.bottom - 7},
             {cx, bottom.bottom - 3}, used == TbsScrollMarker::Down ? inUse : normal);
}

HRGN TbsPopupLook::CreateWindowRegion(int width, int height) const {
    if (maskPicture_ == nullptr || width <= 0 || height <= 0) return nullptr;
    graphics::TBitmap shape;
    shape.SetWidth(width);
    shape.SetHeight(height);
    Fill(shape.Canvas(), graphics::Rect(0, 0, width, height), 0xFFFFFF);
    TbsFrameCut cut;  // the mask's edge pieces are always tiled
    cut.leftTop = ToPoint(popup_->LTPoint);
    cut.rightTop = ToPoint(popup_->RTPoint);
    cut.leftBottom = ToPoint(popup_->LBPoint);
    cut.rightBottom = ToPoint(popup_->RBPoint);
    cut.middle = ToRect(popup_->ItemsRect);
    ComposeFrame(shape.Canvas().Handle(), width, height, PictureDC(*maskPicture_),
                 maskPicture_->Width(), maskPicture_->Height(), cut);
    HRGN region = RegionFromMask(shape);
    const graphics::TRect items = ItemsRect(width, height);
    HRGN solid = CreateRectRgn(items.left, items.top, items.right, items.bottom);
    CombineRgn(region, region, solid, RGN_OR);
    DeleteObject(solid);
    return region;
}

}  // namespace skin
