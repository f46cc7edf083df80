#pragma once
// The skinned form frame: replaces its form's system frame with one cut from the skin's
// frame picture. It stands in front of the form's window procedure, answers the non-client
// messages itself (size of the frame, hit testing, painting, activation), shapes the window
// from the skin's mask, emulates maximize, restore and minimize, and carries the caption
// objects and the system menu. Skin changes reach it as messages of its form.
#include <functional>
#include <memory>
#include <string>

#include "graphics/graphics_objects.h"
#include "skin/caption_objects.h"
#include "skin/frame_geometry.h"
#include "skin/skin_aware_component.h"
#include "skin/skin_data.h"
#include "skin/skin_menu_host.h"
#include "skin/skin_messages.h"
#include "skin/skinnable_control.h"
#include "skin/system_menu.h"
#include "ui/form.h"
#include "ui/menus.h"

namespace skin {

enum TbsBorderIcon : uint8_t {
    biSystemMenu = 1,
    biMinimize = 2,
    biMaximize = 4,
    biRollUp = 8,
    biMinimizeToTray = 16,
};
using TbsBorderIcons = uint8_t;

enum class TbsPositionInMonitor { bspDefault, bspScreenCenter, bspDesktopCenter };
enum class TbsWindowState { wsNormal, wsMinimized, wsMaximized };

using TbsObjectEvent = std::function<void(const std::string& idName)>;
using TbsObjectMouseEvent =
    std::function<void(const std::string& idName, ui::TMouseButton button, int x, int y)>;
using TbsObjectMoveEvent = std::function<void(const std::string& idName, int x, int y)>;
using TbsCaptionPaintEvent =
    std::function<void(platform::HDC dc, const graphics::TRect& rect, bool active)>;
using TbsCustomObjectEvent = std::function<void(const std::string& idName, bool& enabled)>;
// A caption object has been drawn: `rect` is its place on `dc`, for drawing over it.
using TbsObjectPaintEvent =
    std::function<void(const std::string& idName, platform::HDC dc, const graphics::TRect& rect)>;
// A key pressed in the form before its focused control sees it; set `handled` to take it.
using TbsShortCutEvent = std::function<void(uint16_t key, ui::TShiftState shift, bool& handled)>;

class TbsFrameMenu;

class TbsSkinFrame : public ui::TComponent, public TbsSkinMessageReceiver, public TbsSkinMenuHost {
  public:
    // The owner must be a form; anything else raises EInvalidOperation.
    explicit TbsSkinFrame(ui::TComponent* owner);
    ~TbsSkinFrame() override;

    const char* ClassName() const override { return "TbsSkinFrame"; }
    ui::TCustomForm& Form() const { return *form_; }

    // ---- published properties ----
    TbsSkinData* SkinData() const { return skinData_; }
    void SetSkinData(TbsSkinData* value);
    TbsSkinData* MenusSkinData() const { return menusSkinData_; }
    void SetMenusSkinData(TbsSkinData* value);
    TbsBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TbsBorderIcons value);
    TbsPositionInMonitor PositionInMonitor() const { return positionInMonitor_; }
    void SetPositionInMonitor(TbsPositionInMonitor value) { positionInMonitor_ = value; }
    bool DisableSystemMenu() const { return disableSystemMenu_; }
    void SetDisableSystemMenu(bool value);
    bool AlwaysResize() const { return alwaysResize_; }
    void SetAlwaysResize(bool value) { alwaysResize_ = value; }
    bool UseFormCursorInNCArea() const { return useFormCursorInNCArea_; }
    void SetUseFormCursorInNCArea(bool value) { useFormCursorInNCArea_ = value; }
    int MaxMenuItemsInWindow() const { return maxMenuItemsInWindow_; }
    void SetMaxMenuItemsInWindow(int value) { maxMenuItemsInWindow_ = value < 0 ? 0 : value; }
    int ClientWidth() const { return clientWidth_; }
    void SetClientWidth(int value) { clientWidth_ = value; }
    int ClientHeight() const { return clientHeight_; }
    void SetClientHeight(int value) { clientHeight_ = value; }
    bool HideCaptionButtons() const { return hideCaptionButtons_; }
    void SetHideCaptionButtons(bool value);
    bool UseSkinFontInMenu() const { return useSkinFontInMenu_; }
    void SetUseSkinFontInMenu(bool value) { useSkinFontInMenu_ = value; }
    bool ShowIcon() const { return showIcon_; }
    void SetShowIcon(bool value) { showIcon_ = value; }
    bool MaximizeOnFullScreen() const { return maximizeOnFullScreen_; }
    void SetMaximizeOnFullScreen(bool value) { maximizeOnFullScreen_ = value; }
    bool AlphaBlend() const { return alphaBlend_; }
    void SetAlphaBlend(bool value) { alphaBlend_ = value; }
    int AlphaBlendValue() const { return alphaBlendValue_; }
    void SetAlphaBlendValue(int value) { alphaBlendValue_ = value; }
    bool MenusAlphaBlend() const { return menusAlphaBlend_; }
    void SetMenusAlphaBlend(bool value) { menusAlphaBlend_ = value; }
    int MenusAlphaBlendValue() const { return menusAlphaBlendValue_; }
    void SetMenusAlphaBlendValue(int value) { menusAlphaBlendValue_ = value; }
    bool MenusAlphaBlendAnimation() const { return menusAlphaBlendAnimation_; }
    void SetMenusAlphaBlendAnimation(bool value) { menusAlphaBlendAnimation_ = value; }
    graphics::TFont& DefCaptionFont() { return defCaptionFont_; }
    graphics::TFont& DefInActiveCaptionFont() { return defInActiveCaptionFont_; }
    int DefMenuItemHeight() const { return defMenuItemHeight_; }
    void SetDefMenuItemHeight(int value) { defMenuItemHeight_ = value; }
    graphics::TFont& DefMenuItemFont() { return defMenuItemFont_; }
    bool UseDefaultSysMenu() const { return useDefaultSysMenu_; }
    void SetUseDefaultSysMenu(bool value) { useDefaultSysMenu_ = value; }
    int MinWidth() const { return minWidth_; }
    void SetMinWidth(int value) { minWidth_ = value; }
    int MinHeight() const { return minHeight_; }
    void SetMinHeight(int value) { minHeight_ = value; }
    int MaxWidth() const { return maxWidth_; }
    void SetMaxWidth(int value) { maxWidth_ = value; }
    int MaxHeight() const { return maxHeight_; }
    void SetMaxHeight(int value) { maxHeight_ = value; }
    bool Magnetic() const { return magnetic_; }
    void SetMagnetic(bool value) { magnetic_ = value; }
    int MagneticSize() const { return magneticSize_; }
    void SetMagneticSize(int value) { magneticSize_ = value; }

    // ---- events ----
    TbsCaptionPaintEvent OnCaptionPaint;
    ui::TNotifyEvent OnChangeSkinData, OnBeforeChangeSkinData, OnAfterChangeSkinData;
    TbsObjectMouseEvent OnMouseDownEvent, OnMouseUpEvent;
    TbsObjectMoveEvent OnMouseMoveEvent;
    TbsObjectEvent OnMouseEnterEvent, OnMouseLeaveEvent;
    ui::TNotifyEvent OnActivate, OnDeActivate;
    ui::TNotifyEvent OnSkinMenuOpen, OnSkinMenuClose;
    ui::TNotifyEvent OnChangeRollUpState;
    TbsCustomObjectEvent OnActivateCustomObject;
    ui::TNotifyEvent OnMinimize, OnRestore, OnMaximize;
    TbsObjectPaintEvent OnPaintEvent;
    TbsShortCutEvent OnShortCut;

    // ---- run-time state ----
    // A skin data is set, holds a skin and makes forms skinnable.
    bool SkinActive() const;
    TbsWindowState WindowState() const { return windowState_; }
    bool RollUpState() const { return rolledUp_; }
    bool FormActive() const { return formActive_; }
    bool Sizeable() const;
    // The geometry of the frame picture mapped to the current window size.
    TbsFrameGeometry Geometry() const;
    TbsFrameInsets Insets() const;
    // The window's place and size as the window has them now (the form's own copy catches up
    // only after the window has told it).
    graphics::TRect WindowBounds() const;
    graphics::TPoint ClientSize() const;
    const TbsCaptionObjects& Objects() const { return objects_; }
    TbsActiveSkinObject* FindObject(const std::string& idName) const;
    TbsSkinCaptionObject* CaptionObject() const;
    // The window region set last (null for none).
    platform::HRGN WindowRegion() const { return region_; }
    int MinimumWidth() const;
    int MinimumHeight() const;
    graphics::TRect MaximizedBounds() const;
    // The caption text drawn by the caption object.
    std::string CaptionText() const;
    // The charset of the skinned caption text.
    uint8_t CaptionCharset() const;

    // ---- commands ----
    void Maximize();
    void Restore();
    void Minimize();
    void RollUp();  // toggles; nothing without biRollUp
    void MinimizeToTray();
    void CloseForm();
    // The system menu at a screen point; its items are rebuilt each time.
    void OpenSystemMenu(graphics::TPoint screen);
    // The items the system menu offers now.
    ui::TMenuItem& SystemMenuItems();
    void RebuildSystemMenu();
    // Redraws the frame on the window.
    void RepaintFrame();
    // Redraws one caption object on the window at once.
    void RedrawObject(TbsActiveSkinObject& object);
    // Some object's look is to be blended between normal and hot: run the 25 ms morph timer.
    void StartMorphing();
    // Some animated object has frames to show: run the animation timer.
    void StartObjectAnimation();
    // Whether a caption command is available now (border icons, system menu switched off,
    // hidden caption buttons, the custom-object event).
    bool CommandEnabled(TbsStdCommand command, const std::string& idName) const;
    // Runs a caption command as its button would.
    void RunCommand(TbsStdCommand command);

    // ---- skin messages ----
    void SkinDataMessage(uint32_t message, TbsSkinData* skinData, int32_t param2) override;

    // ---- menu host ----
    TbsSkinMenu& SkinMenu() override;
    TbsSkinData* MenuSkinData() const override;
    void SkinMenuOpen() override;
    void SkinMenuClose() override;
    bool SkinMenuVisible() const;
    void CloseSkinMenu();
    // True while the frame routes keys to an open skinned menu.
    bool MenuFilterInstalled() const { return menuFilterInstalled_; }

  protected:
    void Notification(ui::TComponent* component, ui::TOperation operation) override;

  private:
    // The window procedure in front of the form's.
    void HookForm();
    void UnhookForm();
    void FrameWndProc(ui::TMessage& m);
    void CallPrevious(ui::TMessage& m);
    platform::HWND FormWindow() const;

    // Message handlers.
    void WMNCCalcSize(ui::TMessage& m);
    void WMNCPaint(ui::TMessage& m);
    void WMNCActivate(ui::TMessage& m);
    void WMActivate(ui::TMessage& m);
    void WMSysCommand(ui::TMessage& m);
    void WMEnterSizeMove(ui::TMessage& m);
    void WMExitSizeMove(ui::TMessage& m);
    void WMSetText(ui::TMessage& m);
    void WMDestroy(ui::TMessage& m);
    void CMShortCut(ui::TMessage& m);
    void WMNCHitTest(ui::TMessage& m);
    void WMNCButtonDown(ui::TMessage& m);
    void WMButtonUp(ui::TMessage& m);
    void WMNCMouseMove(ui::TMessage& m);
    void WMMouseMove(ui::TMessage& m);
    void WMNCLButtonDblClk(ui::TMessage& m);
    void WMSize(ui::TMessage& m);
    void WMGetMinMaxInfo(ui::TMessage& m);
    void WMEraseBkgnd(ui::TMessage& m);
    void WMShowWindow(ui::TMessage& m);
    void WMTimer(ui::TMessage& m);
    void WMSetCursor(ui::TMessage& m);
    void WMMoving(ui::TMessage& m);

    // Skin changes.
    void BeforeChangeSkinData(TbsSkinData* sender);
    void ChangeSkinData(TbsSkinData* sender);
    void AfterChangeSkinData(TbsSkinData* sender);
    void ChangeFormSkinnable(TbsSkinData* sender);
    void ChangeResStrData(TbsSkinData* sender);
    void UpdateFrameForSkin();
    void UpdateObjectStates();
    void EnforceMinimumSize();
    void UpdateRegion();
    void FrameChanged();
    void ApplyClientSize(int width, int height);
    // Every skinnable control of the form whose skin data is `sender` (all of them for null).
    void ForEachSkinnableControl(TbsSkinData* sender,
                                 const std::function<void(TbsSkinnableControl&)>& f);
    // Every skin-aware component of the form whose skin data is `sender`.
    void ForEachSkinAwareComponent(TbsSkinData* sender,
                                   const std::function<void(TbsSkinAwareComponent&)>& f);

    // Painting.
    void PaintFrame(platform::HDC dc);
    void PaintDefaultFrame(platform::HDC dc);
    void PaintClientBackground(platform::HDC dc);
    const TbsSkinPicture* CurrentFramePicture() const;

    // Mouse.
    TbsActiveSkinObject* ObjectAt(graphics::TPoint windowPoint) const;
    graphics::TPoint ScreenToWindow(platform::LPARAM lParam) const;
    graphics::TPoint ClientToWindow(platform::LPARAM lParam) const;
    void SetHotObject(TbsActiveSkinObject* object);
    void ClearHotAndPressed();
    void CheckHover();
    void MorphStep();
    void AnimationStep();
    // Draws the object's look over it on the window and tells OnPaintEvent.
    void DrawObject(TbsActiveSkinObject& object, platform::HDC dc, graphics::TPoint offset,
                    bool fullRedraw);
    void StartHoverTimer();
    void StopHoverTimer();
    void StopTimers();
    platform::LRESULT DefaultHitTest(graphics::TPoint p) const;

    void PositionAtFirstShow();
    void RemoveMenuFilter();

    // The plain frame drawn without a skin: its border width.
    static constexpr int kDefaultBorder = 3;

    ui::TCustomForm* form_ = nullptr;
    // The same form seen as a windowed control: what is left of it while it is being
    // destroyed, when messages still arrive.
    ui::TWinControl* formControl_ = nullptr;
    std::shared_ptr<bool> alive_;
    TbsSkinData* skinData_ = nullptr;
    TbsSkinData* menusSkinData_ = nullptr;
    TbsBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize | biRollUp;
    TbsPositionInMonitor positionInMonitor_ = TbsPositionInMonitor::bspDefault;
    bool disableSystemMenu_ = false;
    bool alwaysResize_ = false;
    bool useFormCursorInNCArea_ = false;
    int maxMenuItemsInWindow_ = 0;
    int clientWidth_ = 0, clientHeight_ = 0;
    bool hideCaptionButtons_ = false;
    bool useSkinFontInMenu_ = true;
    bool showIcon_ = true;
    bool maximizeOnFullScreen_ = false;
    bool alphaBlend_ = false;
    int alphaBlendValue_ = 200;
    bool menusAlphaBlend_ = false;
    int menusAlphaBlendValue_ = 200;
    bool menusAlphaBlendAnimation_ = false;
    graphics::TFont defCaptionFont_, defInActiveCaptionFont_, defMenuItemFont_;
    int defMenuItemHeight_ = 20;
    bool useDefaultSysMenu_ = true;
    int minWidth_ = 0, minHeight_ = 0, maxWidth_ = 0, maxHeight_ = 0;
    bool magnetic_ = false;
    int magneticSize_ = 5;

    bool skinActive_ = false;
    TbsWindowState windowState_ = TbsWindowState::wsNormal;
    TbsWindowState stateBeforeMinimize_ = TbsWindowState::wsNormal;
    bool rolledUp_ = false;
    int rollUpHeight_ = 0;
    bool formActive_ = false;
    bool firstShowDone_ = false;
    bool sizeMoving_ = false;
    graphics::TRect normalBounds_;
    bool normalBoundsSaved_ = false;
    int lastWidth_ = 0, lastHeight_ = 0;
    TbsCaptionObjects objects_;
    TbsActiveSkinObject* hot_ = nullptr;
    TbsActiveSkinObject* pressed_ = nullptr;
    platform::HRGN region_ = nullptr;
    bool hoverTimer_ = false;
    ui::TPopupMenu* systemMenu_ = nullptr;
    std::unique_ptr<TbsFrameMenu> menu_;
    bool menuFilterInstalled_ = false;
    std::function<bool(platform::MSG&)> previousFilter_;
};

}  // namespace skin
