#pragma once
// The look of a popup menu window, skinned or plain: what it takes from the skin data (the
// popup frame picture and mask, the "menuitem" object and its picture, the font), the sizes
// that follow from it, and the drawing of the background, the rows and the scroll markers.
#include <string>

#include "graphics/canvas.h"
#include "graphics/types.h"
#include "platform/gdi/wintypes.h"
#include "skin/skin_menu_item.h"
#include "skin/skin_types.h"

namespace ui {
class TCustomImageList;
}

namespace skin {

class TbsSkinData;
class TbsSkinPicture;
class TbsDataSkinPopupWindow;
class TbsDataSkinMenuItem;

// What the engine's settings contribute to a look.
struct TbsMenuLookSettings {
    bool useSkinFont = true;
    int defaultItemHeight = 20;
    std::string defaultFontName = "Arial";
    int defaultFontHeight = 14;
    uint8_t defaultFontStyle = 0;
    uint8_t defaultFontCharset = 1;
};

enum class TbsScrollMarker { None, Up, Down };

class TbsPopupLook {
  public:
    TbsPopupLook(TbsSkinData* skinData, const TbsMenuLookSettings& settings);

    // A popup picture was found: the frame and rows come from the skin.
    bool Skinned() const { return windowPicture_ != nullptr; }
    // Rows change between their normal and active images gradually (skin effects on and
    // the "menuitem" object morphing).
    bool Morphing() const { return morphing_; }
    // Rows run through the frames of the "menuitem" object's animation strip on their way
    // between the normal and active images (skin effects on, a frame count above 0).
    bool Framed() const { return frameCount_ > 0; }
    int FrameCount() const { return frameCount_; }
    // Rows change gradually one way or the other.
    bool Animated() const { return morphing_ || Framed(); }
    // The images that the items' image indexes refer to (null: none).
    void SetImages(ui::TCustomImageList* images) { images_ = images; }
    ui::TCustomImageList* Images() const { return images_; }
    // The "menuitem" object used for rows (null in the plain look or when the skin has none).
    const TbsDataSkinMenuItem* ItemData() const { return itemData_; }

    // ---- sizes ----
    int ItemHeight(const TbsSkinMenuItem& item) const;
    // The height of an ordinary (not separator) row.
    int RegularItemHeight() const;
    // Window size minus items-rect size.
    int FrameWidth() const;
    int FrameHeight() const;
    // What a row adds to the widest text besides the glyph column and the 19 pixel margin.
    int RowTextExtra() const;
    // The glyph column width used for sizing: the image width + 5, or 19 without images.
    int GlyphWidth() const;
    // The width of an item's caption as measured for sizing (with 2 added).
    int MeasureItem(graphics::TCanvas& canvas, const TbsSkinMenuItem& item) const;
    // The items rect of a window of this size.
    graphics::TRect ItemsRect(int width, int height) const;

    // ---- drawing ----
    void SelectFont(graphics::TCanvas& canvas) const;
    void DrawBackground(graphics::TCanvas& canvas, int width, int height) const;
    // Fills an area with what lies behind the rows.
    void DrawItemsBackground(graphics::TCanvas& canvas, const graphics::TRect& area) const;
    // Fills an area of the items rect as an empty normal row looks (scroll markers, the gap
    // under the last row).
    void DrawRowBackground(graphics::TCanvas& canvas, const graphics::TRect& area) const;
    void DrawItem(graphics::TCanvas& canvas, const TbsSkinMenuItem& item) const;
    // The two scroll markers over the items rect; `used` is drawn in the active colour.
    void DrawScrollMarkers(graphics::TCanvas& canvas, const graphics::TRect& itemsRect,
                           TbsScrollMarker used) const;
    // The window shape from the mask picture, or null without one. The caller owns it.
    platform::HRGN CreateWindowRegion(int width, int height) const;

  private:
    void DrawSkinnedItem(graphics::TCanvas& canvas, const TbsSkinMenuItem& item) const;
    void DrawPlainItem(graphics::TCanvas& canvas, const TbsSkinMenuItem& item) const;
    void DrawCaption(graphics::TCanvas& canvas, const TbsSkinMenuItem& item,
                     graphics::TRect textRect, uint32_t color) const;
    void DrawItemMarks(graphics::TCanvas& canvas, const TbsSkinMenuItem& item,
                       const graphics::TRect& glyphRect, const graphics::TRect& arrowRect) const;
    void DrawMorphedRow(graphics::TCanvas& canvas, const TbsSkinMenuItem& item) const;
    bool DrawItemImage(graphics::TCanvas& canvas, const TRect& source,
                       const graphics::TRect& place) const;
    // The item's image from the list, or its own bitmap, centred in the glyph place; false
    // when it has neither.
    bool DrawItemGlyph(graphics::TCanvas& canvas, const TbsSkinMenuItem& item,
                       const graphics::TRect& place) const;
    // The part of the item picture a row shows now.
    TRect RowImage(const TbsSkinMenuItem& item, bool& activeImage) const;

    TbsSkinData* skinData_ = nullptr;
    const TbsDataSkinPopupWindow* popup_ = nullptr;
    const TbsSkinPicture* windowPicture_ = nullptr;
    const TbsSkinPicture* maskPicture_ = nullptr;
    const TbsDataSkinMenuItem* itemData_ = nullptr;
    const TbsSkinPicture* itemPicture_ = nullptr;
    bool morphing_ = false;
    int frameCount_ = 0;
    ui::TCustomImageList* images_ = nullptr;
    int defaultItemHeight_ = 20;
    std::string fontName_;
    int fontHeight_ = 14;
    uint8_t fontStyle_ = 0;
    uint8_t fontCharset_ = 1;
};

// The device context of a skin picture, for reading its pixels.
platform::HDC PictureDC(const TbsSkinPicture& picture);

}  // namespace skin
