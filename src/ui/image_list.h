#pragma once
// A list of images of one size, cut from bitmap strips, each with a transparent colour, drawn
// by index: as they are, or in the disabled look (embossed in the button highlight and
// shadow colours). Menus, buttons, panels and combo boxes name one and an index into it.
#include <memory>
#include <vector>

#include "graphics/bitmap.h"
#include "graphics/canvas.h"
#include "ui/component.h"

namespace ui {

class TCustomImageList : public TComponent {
  public:
    explicit TCustomImageList(TComponent* owner);
    ~TCustomImageList() override;
    const char* ClassName() const override { return "TCustomImageList"; }

    int Width() const { return width_; }
    int Height() const { return height_; }
    // A new size empties the list (its images no longer fit); sizes below 1 count as 1.
    void SetWidth(int value);
    void SetHeight(int value);
    int Count() const { return int(images_.size()); }

    // Cuts `strip` into as many whole images of the list's width as it holds side by side,
    // each the list's height from the strip's top; pixels of `maskColor` are transparent.
    // Returns the index of the first image added, or -1 when the strip holds none.
    int AddMasked(graphics::TBitmap& strip, graphics::TColor maskColor);
    void Clear();

    // Draws image `index` with its top-left corner at (x, y); nothing for an index outside the
    // list.
    void Draw(graphics::TCanvas& canvas, int x, int y, int index, bool enabled = true) const;
    // A copy of image `index` with its transparent colour set (empty outside the list).
    void GetBitmap(int index, graphics::TBitmap& target) const;

    // The images or the size changed.
    TNotifyEvent OnChange;

  private:
    struct Image {
        std::unique_ptr<graphics::TBitmap> bitmap;
        uint32_t transparent;  // the mask colour as the platform writes it
    };
    void Changed();
    void DrawDisabled(graphics::TCanvas& canvas, int x, int y, const Image& image) const;

    int width_ = 16;
    int height_ = 16;
    std::vector<Image> images_;
};

}  // namespace ui
