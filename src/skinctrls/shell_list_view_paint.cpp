#include <algorithm>

#include "core/utf8.h"
#include "graphics/bitmap.h"
#include "platform/shell/image_list.h"
#include "skinctrls/shell_list_view.h"
#include "skinctrls/shell_list_view_layout.h"
#include "skinctrls/skin_geometry.h"
#include "ui/draw_utils.h"

// The file list's drawing: header sections, rows of icons and texts in the three views.
namespace skinctrls {

using namespace platform;
using namespace shell_list_layout;
using graphics::TBitmap;
using graphics::TCanvas;
using graphics::TColor;

std::string FitText(TCanvas& canvas, const std::string& text, int width) {
    if (canvas.TextWidth(text) <= width) return text;
    std::string shown = text;
    while (!shown.empty()) {
        shown.erase(core::PreviousCodePointStart(shown, shown.size()));
        if (canvas.TextWidth(shown + "...") <= width) break;
    }
    return shown + "...";
}

void TbsCustomShellListView::RenderDefaultImage(TBitmap& bitmap) {
    RenderList(bitmap);
}
void TbsCustomShellListView::RenderSkinImage(TBitmap& bitmap) {
    RenderList(bitmap);
}

// A header section from the button object named HeaderSkinDataName, else a raised plain
// button; returns the caption colour.
TColor TbsCustomShellListView::DrawHeaderSection(TCanvas& canvas, const graphics::TRect& cell) {
    const skin::TbsDataSkinButtonControl* object = nullptr;
    if (SkinData() != nullptr && !SkinData()->Empty()) {
        const int index = SkinData()->GetControlIndex(headerSkinDataName_);
        const auto& list = SkinData()->CtrlList();
        if (index >= 0 && size_t(index) < list.size()) {
            object = dynamic_cast<const skin::TbsDataSkinButtonControl*>(list[size_t(index)].get());
        }
    }
    TbsSkinLayout frame;
    if (object != nullptr) frame.CopyFrom(object);
    const TBitmap* picture =
        object != nullptr ? SkinBitmap(SkinData(), frame.PictureIndex) : nullptr;
    if (picture == nullptr) {
        ui::FillColor(canvas, cell, graphics::clBtnFace);
        ui::Frame3D(canvas, cell, graphics::clBtnHighlight, graphics::clBtnShadow);
        return graphics::clBtnText;
    }
    int width = cell.Width(), height = cell.Height();
    frame.ComputeSize(width, height);
    TBitmap section;
    frame.Compose(section, *picture, frame.SkinRect, width, height);
    // A section of fixed skin height is stretched to the header's height.
    canvas.CopyRect(cell, section.Canvas(),
                    graphics::Rect(0, 0, section.Width(), section.Height()));
    return object->FontColor;
}

int TbsCustomShellListView::RowHeight(TCanvas& canvas) const {
    return std::max(canvas.TextHeight("Wg"), kSmallIcon) + 2;
}

int TbsCustomShellListView::HeaderHeight(TCanvas& canvas) const {
    return canvas.TextHeight("Wg") + 6;
}

void TbsCustomShellListView::RenderHeader(TCanvas& canvas) {
    const int header = HeaderHeight(canvas);
    const int textHeight = canvas.TextHeight("Wg");
    int left = -leftOffset_;
    for (const TbsListColumn& column : columns_) {
        const graphics::TRect cell = graphics::Rect(left, 0, left + column.Width, header);
        const TColor captionColor = DrawHeaderSection(canvas, cell);
        canvas.Brush().SetStyle(graphics::TBrushStyle::bsClear);
        canvas.Font().SetColor(captionColor);
        const std::string caption = FitText(canvas, column.Caption, cell.Width() - 8);
        const int width = canvas.TextWidth(caption);
        int x = cell.left + 4;
        if (column.Alignment == TColumnAlignment::taRightJustify) x = cell.right - 4 - width;
        if (column.Alignment == TColumnAlignment::taCenter)
            x = (cell.left + cell.right - width) / 2;
        canvas.TextRect(cell, x, (header - textHeight) / 2, caption);
        left += column.Width;
    }
}

struct TbsCustomShellListView::ItemPaint {
    TCanvas& canvas;
    int row;
    int textHeight;
    HIMAGELIST images;
    HDC dc;
};

void TbsCustomShellListView::DrawItemText(const ItemPaint& paint, const graphics::TRect& cell,
                                          const std::string& text, bool selected,
                                          TColumnAlignment alignment) const {
    TCanvas& canvas = paint.canvas;
    canvas.Font().SetColor(selected ? graphics::clHighlightText : TextColor());
    const std::string shown = FitText(canvas, text, cell.Width() - 4);
    const int width = canvas.TextWidth(shown);
    int x = cell.left + 2;
    if (alignment == TColumnAlignment::taRightJustify) x = cell.right - 2 - width;
    if (alignment == TColumnAlignment::taCenter) x = (cell.left + cell.right - width) / 2;
    canvas.TextRect(cell, x, cell.top + (cell.Height() - paint.textHeight) / 2, shown);
}

void TbsCustomShellListView::DrawIconItem(const ItemPaint& paint, TbsShellFolder& item,
                                          bool selected, const graphics::TRect& cell) const {
    TCanvas& canvas = paint.canvas;
    ImageList_Draw(paint.images, item.ImageIndex(true), paint.dc,
                   cell.left + (kIconCellWidth - kLargeIcon) / 2, cell.top + 4, ILD_NORMAL);
    const graphics::TRect label =
        graphics::Rect(cell.left + 2, cell.top + kLargeIcon + 8, cell.right - 2,
                       cell.top + kLargeIcon + 10 + paint.textHeight);
    if (selected) ui::FillColor(canvas, label, graphics::clHighlight);
    canvas.Brush().SetStyle(graphics::TBrushStyle::bsClear);
    DrawItemText(paint, label, item.ItemDisplayName(), selected, TColumnAlignment::taCenter);
}

void TbsCustomShellListView::DrawRowItem(const ItemPaint& paint, TbsShellFolder& item,
                                         bool selected, const graphics::TRect& cell,
                                         int cellWidth) const {
    TCanvas& canvas = paint.canvas;
    const int row = paint.row;
    const int y = cell.top;
    const std::string name = item.ItemDisplayName();
    ImageList_Draw(paint.images, item.ImageIndex(false), paint.dc, cell.left + 2,
                   y + (row - kSmallIcon) / 2, ILD_NORMAL);
    const int nameWidth =
        viewStyle_ == TViewStyle::vsReport && !columns_.empty() ? columns_[0].Width : cellWidth;
    const graphics::TRect nameCell =
        graphics::Rect(cell.left + kSmallIcon + 4, y, cell.left + nameWidth, y + row);
    if (selected) {
        ui::FillColor(
            canvas,
            graphics::Rect(nameCell.left, y,
                           std::min(nameCell.left + canvas.TextWidth(name) + 4, nameCell.right),
                           y + row),
            graphics::clHighlight);
        canvas.Brush().SetStyle(graphics::TBrushStyle::bsClear);
    }
    DrawItemText(paint, nameCell, name, selected, TColumnAlignment::taLeftJustify);
    if (viewStyle_ != TViewStyle::vsReport) return;
    if (!item.DetailsLoaded()) item.LoadColumnDetails(static_cast<int>(columns_.size()));
    int left = cell.left + nameWidth;
    for (size_t c = 1; c < columns_.size(); ++c) {
        const graphics::TRect detail = graphics::Rect(left, y, left + columns_[c].Width, y + row);
        DrawItemText(paint, detail, item.Details(static_cast<int>(c)), false,
                     columns_[c].Alignment);
        left += columns_[c].Width;
    }
}

void TbsCustomShellListView::RenderList(TBitmap& bitmap) {
    if (bitmap.IsEmpty()) return;
    TCanvas& canvas = bitmap.Canvas();
    ui::FillColor(canvas, ClientRect(), BackColor());
    SelectListFont(canvas.Font());
    canvas.Brush().SetStyle(graphics::TBrushStyle::bsClear);
    const bool large = viewStyle_ == TViewStyle::vsIcon;
    const ItemPaint paint{canvas, RowHeight(canvas), canvas.TextHeight("Wg"),
                          SystemImageList(!large), canvas.Handle()};
    if (viewStyle_ == TViewStyle::vsReport) RenderHeader(canvas);
    // Only the items on screen are asked for their texts, icons and details.
    const Geometry layout = Layout();
    const int first = layout.columns ? leftOffset_ / layout.cellWidth * layout.down : topIndex_;
    for (int i = first; i < Count(); ++i) {
        const graphics::TRect cell = ItemRect(i);
        if (layout.columns ? cell.left >= Width() : cell.top >= Height()) break;
        TbsShellFolder& item = *items_[size_t(i)];
        const bool selected = selected_[size_t(i)];
        if (large)
            DrawIconItem(paint, item, selected, cell);
        else
            DrawRowItem(paint, item, selected, cell, layout.cellWidth);
    }
}

}  // namespace skinctrls
