#pragma once
// The skinned scroll bar: a track between two buttons and a thumb, cut from a skin object of
// kind scroll bar ("hscrollbar", "vscrollbar", "bothhscrollbar"), with a plain look when
// unbound. Its pieces are numbered: the thumb 0, the button towards Max 1, the one towards
// Min 2.
#include <array>
#include <string>

#include "skinctrls/skin_control.h"

namespace skinctrls {

enum class TScrollBarKind : uint8_t { sbHorizontal, sbVertical };

class TbsSkinScrollBar : public TbsSkinCustomControl {
  public:
    static constexpr int kThumb = 0;
    static constexpr int kUpButton = 1;
    static constexpr int kDownButton = 2;
    static constexpr platform::UINT_PTR kRepeatTimer = 1;

    explicit TbsSkinScrollBar(ui::TComponent* owner);
    ~TbsSkinScrollBar() override;
    const char* ClassName() const override { return "TbsSkinScrollBar"; }

    TScrollBarKind Kind() const { return kind_; }
    void SetKind(TScrollBarKind value);
    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    int Position() const { return position_; }
    void SetPosition(int value);
    int PageSize() const { return pageSize_; }
    void SetPageSize(int value);
    int SmallChange() const { return smallChange_; }
    void SetSmallChange(int value) { smallChange_ = value; }
    int LargeChange() const { return largeChange_; }
    void SetLargeChange(int value) { largeChange_ = value; }
    bool Both() const { return both_; }
    void SetBoth(bool value);
    int BothMarkerWidth() const { return bothMarkerWidth_; }
    void SetBothMarkerWidth(int value) {
        bothMarkerWidth_ = value;
        Invalidate();
    }
    const std::string& BothSkinDataName() const { return bothSkinDataName_; }
    void SetBothSkinDataName(const std::string& value) { bothSkinDataName_ = value; }
    bool CanFocused() const { return canFocused_; }
    void SetCanFocused(bool value) {
        canFocused_ = value;
        SetTabStop(value);
    }
    // Min, Max, PageSize and Position together, with one repaint.
    void SetRange(int min, int max, int pageSize, int position);

    ui::TNotifyEvent OnChange;
    ui::TNotifyEvent OnLastChange;
    ui::TNotifyEvent OnUpButtonClick;
    ui::TNotifyEvent OnDownButtonClick;
    ui::TNotifyEvent OnPageUp;
    ui::TNotifyEvent OnPageDown;

    // Where the parts are, in the control's coordinates.
    TRect TrackArea();
    TRect PartRect(int part);
    bool PartHot(int part) const { return parts_[size_t(part)].hot; }
    bool PartDown(int part) const { return parts_[size_t(part)].down; }
    // The repeat timer's mode: 0 none, 1 down button, 2 up button, 3 page towards Min, 4 page
    // towards Max; and its interval (0 while stopped).
    int TimerMode() const { return timerMode_; }
    int TimerInterval() const { return timerInterval_; }

    void BindSkinObject() override;

  protected:
    void RenderDefaultImage(graphics::TBitmap& bitmap) override;
    void RenderSkinImage(graphics::TBitmap& bitmap) override;
    void MouseDown(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void MouseMove(ui::TShiftState shift, int x, int y) override;
    void MouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void MouseLeave() override;
    void WndProc(ui::TMessage& message) override;

  private:
    struct Part {
        TRect rect;
        bool hot = false;
        bool down = false;
    };
    bool Horizontal() const { return kind_ == TScrollBarKind::sbHorizontal; }
    // Length along the bar's axis, and a coordinate along it.
    int Along(const TRect& r) const { return Horizontal() ? r.Width() : r.Height(); }
    int AlongStart(const TRect& r) const { return Horizontal() ? r.left : r.top; }
    int AlongPoint(int x, int y) const { return Horizontal() ? x : y; }
    void CalcRects();
    int ThumbLength(int trackLength) const;
    int MaxPosition() const;
    void Step(int delta);
    void StartTimer(int mode, int interval);
    void StopTimer();
    void TimerTick();
    void PageTowardsPointer();
    void DragTo(int pointer);
    int PartAt(int x, int y);
    void DrawSkinPart(graphics::TBitmap& bitmap, const graphics::TBitmap& picture, int part);
    void DrawPlainPart(graphics::TCanvas& canvas, int part);

    TScrollBarKind kind_ = TScrollBarKind::sbHorizontal;
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    int pageSize_ = 0;
    int smallChange_ = 1;
    int largeChange_ = 1;
    bool both_ = false;
    int bothMarkerWidth_ = 19;
    std::string bothSkinDataName_ = "bothhscrollbar";
    std::string normalSkinDataName_ = "hscrollbar";
    bool canFocused_ = false;

    std::array<Part, 3> parts_;
    TRect track_;
    int capturedPart_ = -1;
    int timerMode_ = 0;
    int timerInterval_ = 0;
    bool timerWaiting_ = false;
    int lastPointer_ = 0;
    int dragOffset_ = 0;  // pointer minus thumb start at the press

    // Copied from the skin object.
    TRect skinTrack_, upButtonRect_, activeUpButtonRect_, downUpButtonRect_;
    TRect downButtonRect_, activeDownButtonRect_, downDownButtonRect_;
    TRect thumbRect_, activeThumbRect_, downThumbRect_;
    int thumbOffset1_ = 0, thumbOffset2_ = 0;
    bool thumbTransparent_ = false;
    graphics::TColor thumbTransparentColor_ = 0;
    int thumbMinSize_ = 0, thumbMinPageSize_ = 0;
    TRect glyphRect_, activeGlyphRect_, downGlyphRect_;
    bool glyphTransparent_ = false;
    graphics::TColor glyphTransparentColor_ = 0;
};

}  // namespace skinctrls
