#pragma once
// The live objects of the frame's caption: the caption buttons, the caption text and the
// animated and user objects, one for each form-level skin object. The frame places them,
// paints them into its strips, asks them in its hit test and hands them its mouse events.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "graphics/types.h"
#include "platform/gdi/wintypes.h"
#include "skin/frame_geometry.h"
#include "skin/skin_data.h"
#include "ui/control.h"

namespace skin {

class TbsSkinFrame;

class TbsActiveSkinObject {
  public:
    TbsActiveSkinObject(TbsSkinFrame& frame, TbsDataSkinObject& data);
    virtual ~TbsActiveSkinObject() = default;
    TbsActiveSkinObject(const TbsActiveSkinObject&) = delete;
    TbsActiveSkinObject& operator=(const TbsActiveSkinObject&) = delete;

    // True while the morph factor still has to move towards the hot or cold look.
    virtual bool MorphPending() const;
    // Draws the object at its place moved by `offset` (the strip it is drawn into).
    virtual void Draw(platform::HDC dc, graphics::TPoint offset, bool fullRedraw);
    virtual void DblClick();
    virtual void MouseDown(int x, int y, ui::TMouseButton button);
    virtual void MouseUp(int x, int y, ui::TMouseButton button);
    virtual void MouseMove(int x, int y);
    virtual void MouseEnter();
    virtual void MouseLeave();

    const std::string& IDName() const { return data_.IDName; }
    TbsDataSkinObject& Data() const { return data_; }
    // Placed automatically (its images are cut from an active picture).
    bool AutoPlaced() const { return data_.SkinRectInAPicture; }
    bool Contains(graphics::TPoint p) const;
    // Whether a state change should redraw it on the window at once.
    virtual bool IsButton() const { return false; }
    // The caption command it runs, for objects that run one.
    virtual std::optional<TbsStdCommand> Command() const { return std::nullopt; }
    // Frame animation: whether frames are still to be shown, the next one, and how often.
    virtual bool AnimationPending() const { return false; }
    virtual void AnimationStep() {}
    virtual int AnimationInterval() const { return 0; }

    std::string Hint;
    graphics::TRect ObjectRect;
    bool Enabled = true;
    bool Visible = true;
    bool Active = false;  // hot
    bool MouseIn = false;
    bool Down = false;
    double MorphFactor = 0;

  protected:
    // The picture the object's images are cut from, or null.
    const TbsSkinPicture* Picture() const;
    // The image for the current state; empty for none.
    virtual TRect ImageRect() const;
    void DrawImage(platform::HDC dc, graphics::TPoint offset, const TRect& image) const;

    TbsSkinFrame& frame_;
    TbsDataSkinObject& data_;
};

class TbsSkinButtonObject : public TbsActiveSkinObject {
  public:
    TbsSkinButtonObject(TbsSkinFrame& frame, TbsDataSkinButton& data);
    bool IsButton() const override { return true; }
    void Draw(platform::HDC dc, graphics::TPoint offset, bool fullRedraw) override;
    // The change between the normal and hot images is blended over time.
    bool Morphing() const;
    void MouseDown(int x, int y, ui::TMouseButton button) override;
    void MouseUp(int x, int y, ui::TMouseButton button) override;
    void MouseEnter() override;
    void MouseLeave() override;

  protected:
    TRect ImageRect() const override;
    // The four images of the current look: normal, hot, pressed, inactive.
    struct Looks {
        TRect Normal, Hot, Pressed, Inactive;
    };
    virtual Looks CurrentLooks() const;
    // Runs when the left button is released over the pressed object.
    virtual void Action() {}
    // Runs when the left button presses the object.
    virtual void Pressed() {}

  private:
    TbsDataSkinButton& button_;
};

class TbsSkinStdButtonObject : public TbsSkinButtonObject {
  public:
    TbsSkinStdButtonObject(TbsSkinFrame& frame, TbsDataSkinStdButton& data);
    TbsStdCommand StdCommand() const { return std_.Command; }
    std::optional<TbsStdCommand> Command() const override { return std_.Command; }
    void DblClick() override;
    // The system-menu button carries the form's icon when the frame shows it.
    void Draw(platform::HDC dc, graphics::TPoint offset, bool fullRedraw) override;

  protected:
    Looks CurrentLooks() const override;
    void Action() override;
    void Pressed() override;

  private:
    // Maximize while maximized, minimize while minimized, roll-up while rolled up.
    bool InRestoreLook() const;
    TbsDataSkinStdButton& std_;
};

class TbsSkinCaptionObject : public TbsActiveSkinObject {
  public:
    TbsSkinCaptionObject(TbsSkinFrame& frame, TbsDataSkinCaption& data);
    void Draw(platform::HDC dc, graphics::TPoint offset, bool fullRedraw) override;
    // Where the text goes: the text rect moved to the object, widened with it.
    graphics::TRect TextRect() const;

  private:
    TbsDataSkinCaption& caption_;
};

// An object that shows the frames of a strip in turn: its skin rect is the first frame and the
// others follow it to the right, each as wide. While the mouse is on it the frames run
// forward, one each timer interval, and stop at the last one; with "cycle" they start over
// instead. When the mouse leaves they run back to the first frame (a cycling one jumps back).
// With "buttonstyle" it is a caption button: pressed it shows its pressed image, and released
// on it, it runs its command.
class TbsSkinAnimateObject : public TbsActiveSkinObject {
  public:
    TbsSkinAnimateObject(TbsSkinFrame& frame, TbsDataSkinAnimate& data);
    bool IsButton() const override { return true; }
    std::optional<TbsStdCommand> Command() const override;
    int Frame() const { return frameIndex_; }
    int FrameCount() const;
    bool AnimationPending() const override;
    void AnimationStep() override;
    int AnimationInterval() const override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseDown(int x, int y, ui::TMouseButton button) override;
    void MouseUp(int x, int y, ui::TMouseButton button) override;

  protected:
    TRect ImageRect() const override;

  private:
    TbsDataSkinAnimate& animate_;
    int frameIndex_ = 0;
};

class TbsUserObject : public TbsActiveSkinObject {
  public:
    using TbsActiveSkinObject::TbsActiveSkinObject;
};

using TbsCaptionObjects = std::vector<std::unique_ptr<TbsActiveSkinObject>>;

// One object for each form-level skin object in catalogue order, menu items and menu-bar
// objects left out.
TbsCaptionObjects CreateCaptionObjects(TbsSkinFrame& frame, TbsSkinData& skinData);

// Places the objects for the mapped geometry: frame-part objects keep their mapped skin rect,
// automatically placed visible ones are lined up in the buttons area (or the caption area).
void PlaceCaptionObjects(TbsCaptionObjects& objects, const TbsFrameGeometry& g,
                         const TbsSkinFormInfo& info);

}  // namespace skin
