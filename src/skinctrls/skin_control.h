#pragma once
// The windowed skinned controls' bases: binding to a named object of the skin data, painting
// through an off-screen bitmap, resizing the skin image to the control and the window region
// of masked skins. A control without a skin object paints a plain built-in look.
#include <string>

#include "skinctrls/skin_control_base.h"

namespace skinctrls {

class TbsSkinControl : public TbsSkinControlBase<ui::TCustomControl> {
  public:
    explicit TbsSkinControl(ui::TComponent* owner);
    const char* ClassName() const override { return "TbsSkinControl"; }

    const std::string& HintTitle() const { return hintTitle_; }
    void SetHintTitle(const std::string& value) { hintTitle_ = value; }
    int HintImageIndex() const { return hintImageIndex_; }
    void SetHintImageIndex(int value) { hintImageIndex_ = value; }

  protected:
    void EraseBackground(platform::HDC) override {}  // painting covers everything
    void WndProc(ui::TMessage& message) override;

  private:
    void TrackPointer(int x, int y);

    std::string hintTitle_;
    int hintImageIndex_ = 0;
    bool leaveTracked_ = false;
};

extern template class TbsSkinCustomControlBase<TbsSkinControl>;

class TbsSkinCustomControl : public TbsSkinCustomControlBase<TbsSkinControl> {
  public:
    explicit TbsSkinCustomControl(ui::TComponent* owner);
    ~TbsSkinCustomControl() override;
    const char* ClassName() const override { return "TbsSkinCustomControl"; }

    // The window region set from the mask, or null.
    platform::HRGN WindowRegion() const { return region_; }
    void UpdateWindowRegion() override;

  protected:
    void CreateHandleDone() override;
    const graphics::TBitmap* SkinMask() const;
    // Sets (or with null removes) the window region; the window owns the region it is given.
    void SetRegion(platform::HRGN region);
    void NotifyChildrenOfBackground() override;

  private:
    platform::HRGN region_ = nullptr;
};

}  // namespace skinctrls
