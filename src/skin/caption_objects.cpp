#include "skin/caption_objects.h"

#include <algorithm>
#include <utility>

#include "graphics/canvas.h"
#include "graphics/icon.h"
#include "platform/gdi/gdi.h"
#include "skin/morph_blend.h"
#include "skin/skin_frame.h"

namespace skin {

using namespace platform;

namespace {

// The system-menu button shows the form's icon at this size.
constexpr int kSmallIconSize = 16;

TRect Or(const TRect& first, const TRect& fallback) {
    return first.IsEmpty() ? fallback : first;
}

// The images at `from` and `to` of `source` mixed by `factor` the way `kind` says, drawn at
// (x, y).
void DrawMorph(HDC dc, int x, int y, HDC source, const TRect& from, const TRect& to, double factor,
               TbsMorphKind kind) {
    const int w = from.Width();
    const int h = from.Height();
    if (w <= 0 || h <= 0) return;
    graphics::TBitmap a, b, mixed;
    for (auto [image, r] : {std::pair{&a, from}, std::pair{&b, to}}) {
        image->SetPixelFormat(graphics::TPixelFormat::pf32bit);
        image->SetWidth(w);
        image->SetHeight(h);
        BitBlt(image->Canvas().Handle(), 0, 0, w, h, source, r.Left, r.Top, SRCCOPY);
    }
    mixed.SetPixelFormat(graphics::TPixelFormat::pf32bit);
    BlendImages(mixed, a, b, factor, kind);
    BitBlt(dc, x, y, w, h, mixed.Canvas().Handle(), 0, 0, SRCCOPY);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TbsActiveSkinObject

TbsActiveSkinObject::TbsActiveSkinObject(TbsSkinFrame& frame, TbsDataSkinObject& data)
    : Hint(data.Hint), frame_(frame), data_(data) {}

bool TbsActiveSkinObject::MorphPending() const {
    return (Active && MorphFactor < 1) || (!Active && MorphFactor > 0);
}

bool TbsActiveSkinObject::Contains(graphics::TPoint p) const {
    return Visible && p.x >= ObjectRect.left && p.x < ObjectRect.right && p.y >= ObjectRect.top &&
           p.y < ObjectRect.bottom;
}

const TbsSkinPicture* TbsActiveSkinObject::Picture() const {
    TbsSkinData* skinData = frame_.SkinData();
    if (skinData == nullptr) return nullptr;
    const TbsSkinPicture* picture = skinData->ActivePicture(data_.ActivePictureIndex);
    return picture != nullptr && !picture->Empty() ? picture : nullptr;
}

TRect TbsActiveSkinObject::ImageRect() const {
    if (Active && !data_.ActiveSkinRect.IsEmpty()) return data_.ActiveSkinRect;
    if (!frame_.FormActive() && !data_.InActiveSkinRect.IsEmpty()) return data_.InActiveSkinRect;
    return data_.SkinRect;
}

void TbsActiveSkinObject::DrawImage(HDC dc, graphics::TPoint offset, const TRect& image) const {
    const TbsSkinPicture* picture = Picture();
    if (picture == nullptr || image.IsEmpty() || ObjectRect.IsEmpty()) return;
    HDC src = const_cast<TbsSkinPicture*>(picture)->Bitmap().Canvas().Handle();
    const int x = ObjectRect.left + offset.x;
    const int y = ObjectRect.top + offset.y;
    if (ObjectRect.Width() == image.Width() && ObjectRect.Height() == image.Height()) {
        BitBlt(dc, x, y, image.Width(), image.Height(), src, image.Left, image.Top, SRCCOPY);
    } else {
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, x, y, ObjectRect.Width(), ObjectRect.Height(), src, image.Left, image.Top,
                   image.Width(), image.Height(), SRCCOPY);
    }
}

void TbsActiveSkinObject::Draw(HDC dc, graphics::TPoint offset, bool) {
    if (Visible) DrawImage(dc, offset, ImageRect());
}

void TbsActiveSkinObject::DblClick() {}

void TbsActiveSkinObject::MouseDown(int x, int y, ui::TMouseButton button) {
    if (frame_.OnMouseDownEvent) frame_.OnMouseDownEvent(IDName(), button, x, y);
}

void TbsActiveSkinObject::MouseUp(int x, int y, ui::TMouseButton button) {
    if (frame_.OnMouseUpEvent) frame_.OnMouseUpEvent(IDName(), button, x, y);
}

void TbsActiveSkinObject::MouseMove(int x, int y) {
    if (frame_.OnMouseMoveEvent) frame_.OnMouseMoveEvent(IDName(), x, y);
}

void TbsActiveSkinObject::MouseEnter() {
    MouseIn = true;
    if (frame_.OnMouseEnterEvent) frame_.OnMouseEnterEvent(IDName());
}

void TbsActiveSkinObject::MouseLeave() {
    MouseIn = false;
    if (frame_.OnMouseLeaveEvent) frame_.OnMouseLeaveEvent(IDName());
}

// ---------------------------------------------------------------------------------------------
// TbsSkinButtonObject

TbsSkinButtonObject::TbsSkinButtonObject(TbsSkinFrame& frame, TbsDataSkinButton& data)
    : TbsActiveSkinObject(frame, data), button_(data) {}

TbsSkinButtonObject::Looks TbsSkinButtonObject::CurrentLooks() const {
    return {button_.SkinRect, button_.ActiveSkinRect, button_.DownRect, button_.InActiveSkinRect};
}

TRect TbsSkinButtonObject::ImageRect() const {
    if (!Enabled && !button_.DisableSkinRect.IsEmpty()) return button_.DisableSkinRect;
    const Looks looks = CurrentLooks();
    if (Down && MouseIn && !looks.Pressed.IsEmpty()) return looks.Pressed;
    if (Active && !looks.Hot.IsEmpty()) return looks.Hot;
    if (!frame_.FormActive() && !looks.Inactive.IsEmpty()) return looks.Inactive;
    return looks.Normal;
}

bool TbsSkinButtonObject::Morphing() const {
    const TbsSkinData* skinData = frame_.SkinData();
    return button_.Morphing && Enabled && skinData != nullptr && skinData->EnableSkinEffects();
}

void TbsSkinButtonObject::Draw(HDC dc, graphics::TPoint offset, bool fullRedraw) {
    const Looks looks = CurrentLooks();
    const bool blendable = Morphing() && !Down && !looks.Hot.IsEmpty() &&
                           looks.Hot.Width() == looks.Normal.Width() &&
                           looks.Hot.Height() == looks.Normal.Height();
    const TbsSkinPicture* picture = Picture();
    if (!Visible || !blendable || picture == nullptr) {
        TbsActiveSkinObject::Draw(dc, offset, fullRedraw);
        return;
    }
    // The morph factor, not the hot flag, decides the look while the blend runs.
    const TRect& normal =
        !frame_.FormActive() && !looks.Inactive.IsEmpty() ? looks.Inactive : looks.Normal;
    if (MorphFactor <= 0) {
        DrawImage(dc, offset, normal);
    } else if (MorphFactor >= 1) {
        DrawImage(dc, offset, looks.Hot);
    } else {
        DrawMorph(dc, ObjectRect.left + offset.x, ObjectRect.top + offset.y,
                  const_cast<TbsSkinPicture*>(picture)->Bitmap().Canvas().Handle(), normal,
                  looks.Hot, MorphFactor, button_.MorphKind);
    }
}

void TbsSkinButtonObject::MouseEnter() {
    TbsActiveSkinObject::MouseEnter();
    if (!Enabled) return;
    Active = true;
    if (Morphing())
        frame_.StartMorphing();
    else
        frame_.RedrawObject(*this);
}

void TbsSkinButtonObject::MouseLeave() {
    TbsActiveSkinObject::MouseLeave();
    Active = false;
    if (Morphing())
        frame_.StartMorphing();
    else
        frame_.RedrawObject(*this);
}

void TbsSkinButtonObject::MouseDown(int x, int y, ui::TMouseButton button) {
    if (Enabled && button == ui::TMouseButton::mbLeft) {
        Down = true;
        MouseIn = true;
        frame_.RedrawObject(*this);
        TbsActiveSkinObject::MouseDown(x, y, button);
        Pressed();
        return;
    }
    TbsActiveSkinObject::MouseDown(x, y, button);
}

void TbsSkinButtonObject::MouseUp(int x, int y, ui::TMouseButton button) {
    const bool fire = Down && button == ui::TMouseButton::mbLeft && Contains({x, y});
    Down = false;
    MouseIn = Contains({x, y});
    Active = MouseIn && Enabled;
    frame_.RedrawObject(*this);
    TbsActiveSkinObject::MouseUp(x, y, button);
    if (fire && Enabled) Action();
}

// ---------------------------------------------------------------------------------------------
// TbsSkinStdButtonObject

TbsSkinStdButtonObject::TbsSkinStdButtonObject(TbsSkinFrame& frame, TbsDataSkinStdButton& data)
    : TbsSkinButtonObject(frame, data), std_(data) {}

bool TbsSkinStdButtonObject::InRestoreLook() const {
    switch (std_.Command) {
        case TbsStdCommand::cmMaximize:
            return frame_.WindowState() == TbsWindowState::wsMaximized;
        case TbsStdCommand::cmMinimize:
            return frame_.WindowState() == TbsWindowState::wsMinimized;
        case TbsStdCommand::cmRollUp:
            return frame_.RollUpState();
        default:
            return false;
    }
}

TbsSkinButtonObject::Looks TbsSkinStdButtonObject::CurrentLooks() const {
    Looks looks = TbsSkinButtonObject::CurrentLooks();
    if (!InRestoreLook()) return looks;
    return {Or(std_.RestoreRect, looks.Normal), Or(std_.RestoreActiveRect, looks.Hot),
            Or(std_.RestoreDownRect, looks.Pressed), Or(std_.RestoreInActiveRect, looks.Inactive)};
}

void TbsSkinStdButtonObject::Pressed() {
    // The system menu opens on the press, under the button.
    if (std_.Command != TbsStdCommand::cmSysMenu) return;
    Down = false;
    frame_.RedrawObject(*this);
    graphics::TPoint below = frame_.Form().ClientToScreen({0, 0});
    const TbsFrameInsets insets = frame_.Insets();
    frame_.OpenSystemMenu(
        {below.x - insets.Left + ObjectRect.left, below.y - insets.Top + ObjectRect.bottom});
}

void TbsSkinStdButtonObject::Action() {
    frame_.RunCommand(std_.Command);
}

void TbsSkinStdButtonObject::Draw(HDC dc, graphics::TPoint offset, bool fullRedraw) {
    TbsSkinButtonObject::Draw(dc, offset, fullRedraw);
    if (!Visible || std_.Command != TbsStdCommand::cmSysMenu || !frame_.ShowIcon()) return;
    graphics::TIcon& icon = frame_.Form().Icon();
    if (icon.IsEmpty() || ObjectRect.IsEmpty()) return;
    // The small icon, centred on the button and never larger than it.
    const int size = std::min({kSmallIconSize, ObjectRect.Width(), ObjectRect.Height()});
    const int x = ObjectRect.left + offset.x + (ObjectRect.Width() - size) / 2;
    const int y = ObjectRect.top + offset.y + (ObjectRect.Height() - size) / 2;
    DrawIconEx(dc, x, y, icon.IconHandle(), size, size, 0, nullptr, DI_NORMAL);
}

void TbsSkinStdButtonObject::DblClick() {
    if (std_.Command == TbsStdCommand::cmSysMenu) frame_.CloseForm();
}

// ---------------------------------------------------------------------------------------------
// TbsSkinCaptionObject

TbsSkinCaptionObject::TbsSkinCaptionObject(TbsSkinFrame& frame, TbsDataSkinCaption& data)
    : TbsActiveSkinObject(frame, data), caption_(data) {}

graphics::TRect TbsSkinCaptionObject::TextRect() const {
    const TRect& t = caption_.TextRect;
    const int widen = ObjectRect.Width() - caption_.SkinRect.Width();
    return {ObjectRect.left + t.Left, ObjectRect.top + t.Top, ObjectRect.left + t.Right + widen,
            ObjectRect.top + t.Bottom};
}

void TbsSkinCaptionObject::Draw(HDC dc, graphics::TPoint offset, bool fullRedraw) {
    if (!Visible) return;
    TbsActiveSkinObject::Draw(dc, offset, fullRedraw);
    graphics::TRect rect = TextRect();
    rect.left += offset.x;
    rect.right += offset.x;
    rect.top += offset.y;
    rect.bottom += offset.y;
    const bool active = frame_.FormActive();
    if (frame_.OnCaptionPaint) {
        frame_.OnCaptionPaint(dc, rect, active);
        return;
    }
    const std::string text = frame_.CaptionText();
    if (text.empty() || caption_.TextRect.IsEmpty() || rect.IsEmpty()) return;

    graphics::TCanvas canvas;
    canvas.SetHandle(dc);
    graphics::TFont& font = canvas.Font();
    font.SetName(caption_.FontName);
    font.SetHeight(caption_.FontHeight);
    font.SetStyle(static_cast<graphics::TFontStyles>(caption_.FontStyle));
    font.SetCharset(frame_.CaptionCharset());
    canvas.Brush().SetStyle(graphics::TBrushStyle::bsClear);

    const int textWidth = canvas.TextWidth(text);
    const int textHeight = canvas.TextHeight(text);
    const int y = rect.top + rect.Height() / 2 - textHeight / 2;
    int x = rect.left;
    if (caption_.Alignment == TAlignment::taRightJustify)
        x = rect.right - textWidth;
    else if (caption_.Alignment == TAlignment::taCenter)
        x = rect.left + rect.Width() / 2 - textWidth / 2;

    // A frame image behind the text: sized to the text, or to the whole object.
    const TRect& frameImage = active && !caption_.ActiveFrameRect.IsEmpty()
                                  ? caption_.ActiveFrameRect
                                  : caption_.FrameRect;
    if (!frameImage.IsEmpty()) {
        if (const TbsSkinPicture* picture = Picture()) {
            HDC src = const_cast<TbsSkinPicture*>(picture)->Bitmap().Canvas().Handle();
            const int left =
                caption_.FullFrame ? ObjectRect.left + offset.x : x - caption_.FrameLeftOffset;
            const int width = caption_.FullFrame ? ObjectRect.Width()
                                                 : textWidth + caption_.FrameLeftOffset +
                                                       caption_.FrameRightOffset;
            const int top = caption_.FullFrame
                                ? ObjectRect.top + offset.y
                                : rect.top + rect.Height() / 2 - frameImage.Height() / 2;
            DrawThreePiece(dc, left, top, width, src, ToRect(frameImage), caption_.FrameLeftOffset,
                           caption_.FrameRightOffset, caption_.StretchEffect);
        }
    }

    auto drawAt = [&](int dx, int dy, TColor color) {
        font.SetColor(graphics::TColor(color));
        canvas.TextRect(rect, x + dx, y + dy, text);
    };
    if (caption_.Light) drawAt(-1, -1, active ? caption_.ActiveLightColor : caption_.LightColor);
    if (caption_.Shadow) drawAt(1, 1, active ? caption_.ActiveShadowColor : caption_.ShadowColor);
    drawAt(0, 0, active ? caption_.ActiveFontColor : caption_.FontColor);
    canvas.SetHandle(nullptr);
}

// ---------------------------------------------------------------------------------------------
// Creation and placement

TbsCaptionObjects CreateCaptionObjects(TbsSkinFrame& frame, TbsSkinData& skinData) {
    TbsCaptionObjects objects;
    for (const auto& entry : skinData.ObjectList()) {
        TbsDataSkinObject* data = entry.get();
        if (dynamic_cast<TbsDataSkinMenuItem*>(data) ||
            dynamic_cast<TbsDataSkinMainMenuItem*>(data) ||
            dynamic_cast<TbsDataSkinMainMenuBarButton*>(data))
            continue;
        if (auto* std = dynamic_cast<TbsDataSkinStdButton*>(data))
            objects.push_back(std::make_unique<TbsSkinStdButtonObject>(frame, *std));
        else if (auto* button = dynamic_cast<TbsDataSkinButton*>(data))
            objects.push_back(std::make_unique<TbsSkinButtonObject>(frame, *button));
        else if (auto* caption = dynamic_cast<TbsDataSkinCaption*>(data))
            objects.push_back(std::make_unique<TbsSkinCaptionObject>(frame, *caption));
        else if (auto* animate = dynamic_cast<TbsDataSkinAnimate*>(data))
            objects.push_back(std::make_unique<TbsSkinAnimateObject>(frame, *animate));
        else if (dynamic_cast<TbsDataUserObject*>(data))
            objects.push_back(std::make_unique<TbsUserObject>(frame, *data));
    }
    return objects;
}

namespace {

int LineUpRank(const TbsActiveSkinObject& object) {
    const auto* std = dynamic_cast<const TbsSkinStdButtonObject*>(&object);
    if (std == nullptr) return 5;  // custom objects come last
    switch (std->StdCommand()) {
        case TbsStdCommand::cmClose:
            return 0;
        case TbsStdCommand::cmMaximize:
            return 1;
        case TbsStdCommand::cmMinimize:
            return 2;
        case TbsStdCommand::cmRollUp:
            return 3;
        case TbsStdCommand::cmMinimizeToTray:
            return 4;
        case TbsStdCommand::cmSysMenu:
            return -1;  // placed on its own
        default:
            return 5;
    }
}

}  // namespace

void PlaceCaptionObjects(TbsCaptionObjects& objects, const TbsFrameGeometry& g,
                         const TbsSkinFormInfo& info) {
    TbsSkinCaptionObject* caption = nullptr;
    TbsActiveSkinObject* sysMenu = nullptr;
    std::vector<TbsActiveSkinObject*> lineUp[6];
    for (auto& object : objects) {
        if (!object->AutoPlaced()) {
            object->ObjectRect = MapPictureRect(object->Data().SkinRect, g, info);
            if (auto* c = dynamic_cast<TbsSkinCaptionObject*>(object.get())) caption = c;
            continue;
        }
        if (!object->Visible) continue;
        const int rank = LineUpRank(*object);
        if (rank < 0)
            sysMenu = object.get();
        else
            lineUp[rank].push_back(object.get());
    }

    const bool inButtonsRect = !g.Buttons.IsEmpty();
    const graphics::TRect area = inButtonsRect ? g.Buttons : g.Caption;
    const bool fromRight = !info.ButtonsInLeft;
    int x = fromRight ? area.right : area.left;
    TbsActiveSkinObject* last = nullptr;
    for (auto& rank : lineUp) {
        for (TbsActiveSkinObject* object : rank) {
            const int w = object->Data().SkinRect.Width();
            const int h = object->Data().SkinRect.Height();
            if (fromRight) {
                object->ObjectRect = {x - w, area.top, x, area.top + h};
                x -= w + info.ButtonsOffset;
            } else {
                object->ObjectRect = {x, area.top, x + w, area.top + h};
                x += w + info.ButtonsOffset;
            }
            last = object;
        }
    }
    if (!inButtonsRect && caption != nullptr && last != nullptr) {
        if (fromRight)
            caption->ObjectRect.right = last->ObjectRect.left;
        else
            caption->ObjectRect.left = last->ObjectRect.right;
    }
    if (fromRight && sysMenu != nullptr) {
        const int w = sysMenu->Data().SkinRect.Width();
        const int h = sysMenu->Data().SkinRect.Height();
        const int top = g.Caption.top + g.Caption.Height() / 2 - h / 2;
        sysMenu->ObjectRect = {g.Caption.left, top, g.Caption.left + w, top + h};
        if (caption != nullptr) caption->ObjectRect.left = sysMenu->ObjectRect.right;
    }
}

}  // namespace skin
