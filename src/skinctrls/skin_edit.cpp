#include "skinctrls/skin_edit.h"

#include <algorithm>

#include "core/utf8.h"
#include "platform/user/edit_styles.h"
#include "platform/user/user.h"
#include "ui/draw_utils.h"

namespace skinctrls {

using graphics::TBitmap;
using namespace platform;

namespace {

constexpr int kPlainFrame = 2;
constexpr int kTextLeft = 2;

// The first `count` code points of a UTF-8 text.
std::string Prefix(const std::string& text, size_t count) {
    size_t offset = 0;
    for (size_t i = 0; i < count && offset < text.size(); ++i) core::NextCodePoint(text, offset);
    return text.substr(0, offset);
}

}  // namespace

TbsSkinEdit::TbsSkinEdit(ui::TComponent* owner) : ui::TEdit(owner), TbsSkinBinding(*this, "edit") {
    defaultFont_.SetName("Arial");
    defaultFont_.SetHeight(14);
    defaultFont_.SetOnChange([this](graphics::TGraphicsObject*) {
        UpdateTextFont();
        Invalidate();
    });
    ui::TEdit::SetBounds(Left(), Top(), Width(), 20);
    UpdateTextFont();
}

TbsSkinEdit::~TbsSkinEdit() = default;

void TbsSkinEdit::Notification(ui::TComponent* component, ui::TOperation operation) {
    ui::TEdit::Notification(component, operation);
    ForgetSkinData(component, operation);
}

void TbsSkinEdit::SetDefaultColor(graphics::TColor value) {
    defaultColor_ = value;
    Invalidate();
}

void TbsSkinEdit::SetUseSkinFont(bool value) {
    useSkinFont_ = value;
    ApplySkinChange();
}

void TbsSkinEdit::SetDefaultWidth(int value) {
    defaultWidth_ = value;
    if (index_ == -1 && value > 0) ui::TEdit::SetBounds(Left(), Top(), value, Height());
}

void TbsSkinEdit::SetDefaultHeight(int value) {
    defaultHeight_ = value;
    if (index_ == -1 && value > 0) ui::TEdit::SetBounds(Left(), Top(), Width(), value);
}

void TbsSkinEdit::SetButtonMode(bool value) {
    buttonMode_ = value;
    FrameChanged();
}

void TbsSkinEdit::SetReadOnly(bool value) {
    readOnly_ = value;
    if (HandleAllocated()) SendMessage(Handle(), EM_SETREADONLY, value ? TRUE : FALSE, 0);
}

void TbsSkinEdit::SetMaxLength(int value) {
    maxLength_ = value < 0 ? 0 : value;
    if (HandleAllocated()) SendMessage(Handle(), EM_LIMITTEXT, WPARAM(maxLength_), 0);
}

DWORD TbsSkinEdit::CharCaseStyle() const {
    switch (charCase_) {
        case ui::TEditCharCase::ecUpperCase:
            return ES_UPPERCASE;
        case ui::TEditCharCase::ecLowerCase:
            return ES_LOWERCASE;
        default:
            return 0;
    }
}

void TbsSkinEdit::SetCharCase(ui::TEditCharCase value) {
    charCase_ = value;
    if (HandleAllocated()) {
        const LONG_PTR style =
            GetWindowLongPtr(Handle(), GWL_STYLE) & ~LONG_PTR(ES_UPPERCASE | ES_LOWERCASE);
        SetWindowLongPtr(Handle(), GWL_STYLE, style | LONG_PTR(CharCaseStyle()));
    }
    // The text already there takes the new case too.
    const std::string text = Text();
    if (InCharCase(text) != text) SetText(text);
}

std::string TbsSkinEdit::InCharCase(const std::string& text) const {
    switch (charCase_) {
        case ui::TEditCharCase::ecUpperCase:
            return core::UpperCaseAscii(text);
        case ui::TEditCharCase::ecLowerCase:
            return core::LowerCaseAscii(text);
        default:
            return text;
    }
}

void TbsSkinEdit::SetText(const std::string& value) {
    // Converted here too, for the text kept while there is no window yet.
    ui::TEdit::SetText(InCharCase(value));
}

void TbsSkinEdit::SetAlignment(ui::TAlignment value) {
    alignment_ = value;
    Invalidate();
}

const TBitmap* TbsSkinEdit::Picture() const {
    return index_ == -1 ? nullptr : SkinBitmap(SkinData(), skinLayout_.PictureIndex);
}

void TbsSkinEdit::BindSkinObject() {
    TbsSkinBinding::BindSkinObject();
    skinLayout_.Clear();
    const auto* object = SkinObjectAs<skin::TbsDataSkinEditControl>();
    // Only an edit object with a picture and a skin rect can draw the frame.
    if (object == nullptr || object->SkinRect.IsEmpty() ||
        SkinBitmap(SkinData(), object->PictureIndex) == nullptr) {
        index_ = -1;
        return;
    }
    skinLayout_.CopyFrom(object);
    activeSkinRect_ = ToRect(object->ActiveSkinRect);
    font_.CopyFrom(*object);
    disabledFontColor_ = object->DisabledFontColor;
    activeFontColor_ = object->ActiveFontColor;
}

void TbsSkinEdit::ApplySkinChange() {
    BindSkinObject();
    UpdateTextFont();
    if (index_ == -1) {
        int w = defaultWidth_ > 0 ? defaultWidth_ : Width();
        int h = defaultHeight_ > 0 ? defaultHeight_ : Height();
        ui::TEdit::SetBounds(Left(), Top(), w, h);
    } else {
        SetBounds(Left(), Top(), Width(), Height());
    }
    FrameChanged();
}

void TbsSkinEdit::SetBounds(int left, int top, int width, int height) {
    if (index_ != -1 && useSkinFont_) height = skinLayout_.SkinRect.Height();
    ui::TEdit::SetBounds(left, top, width, height);
}

TRect TbsSkinEdit::FrameWidths() const {
    if (index_ == -1) {
        int right = kPlainFrame + (buttonMode_ ? Height() : 0);
        return graphics::Rect(kPlainFrame, kPlainFrame, right, kPlainFrame);
    }
    const TRect& cr = skinLayout_.Geometry.ClRect;
    return graphics::Rect(cr.left, cr.top, skinLayout_.SkinRect.Width() - cr.right,
                          skinLayout_.SkinRect.Height() - cr.bottom);
}

TRect TbsSkinEdit::StateRect() const {
    bool hot = mouseIn_ || const_cast<TbsSkinEdit*>(this)->Focused();
    return hot && !activeSkinRect_.IsEmpty() ? activeSkinRect_ : skinLayout_.SkinRect;
}

graphics::TColor TbsSkinEdit::TextColor() const {
    if (index_ == -1) return Enabled() ? defaultFont_.Color() : graphics::clGrayText;
    if (!Enabled()) return disabledFontColor_;
    bool hot = mouseIn_ || const_cast<TbsSkinEdit*>(this)->Focused();
    return hot ? activeFontColor_ : font_.Color;
}

void TbsSkinEdit::UpdateTextFont() {
    font_.Select(textFont_, defaultFont_, useSkinFont_ && index_ != -1, SkinData());
    // The platform edit measures with the same font, so its caret matches the drawn text.
    if (HandleAllocated())
        SendMessage(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(textFont_.Handle()), FALSE);
}

void TbsSkinEdit::CreateParams(ui::TCreateParams& params) {
    ui::TEdit::CreateParams(params);
    params.exStyle &= ~WS_EX_CLIENTEDGE;  // the frame is ours
    params.style |= CharCaseStyle();
}

void TbsSkinEdit::CreateHandleDone() {
    ui::TEdit::CreateHandleDone();
    // Settings made before the window existed.
    if (readOnly_) SendMessage(Handle(), EM_SETREADONLY, TRUE, 0);
    if (maxLength_ > 0) SendMessage(Handle(), EM_LIMITTEXT, WPARAM(maxLength_), 0);
    UpdateTextFont();
    FrameChanged();
}

void TbsSkinEdit::EnabledChanged() {
    ui::TEdit::EnabledChanged();
    FrameChanged();
}

void TbsSkinEdit::FrameChanged() {
    if (!HandleAllocated()) return;
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TbsSkinEdit::SetHot(bool value) {
    if (mouseIn_ == value) return;
    mouseIn_ = value;
    if (HandleAllocated()) RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

// ---------------------------------------------------------------------------------------------
// Images

void TbsSkinEdit::RenderFrame(TBitmap& bitmap) {
    const int w = Width();
    const int h = Height();
    const TBitmap* picture = Picture();
    if (picture != nullptr) {
        ComposeStretchedImage(bitmap, w, h, *picture, StateRect(), skinLayout_.Geometry.ClRect);
        return;
    }
    bitmap.SetWidth(w);
    bitmap.SetHeight(h);
    graphics::TCanvas& canvas = bitmap.Canvas();
    TRect rect = graphics::Rect(0, 0, w, h);
    ui::FillColor(canvas, rect, graphics::clBtnFace);
    ui::Frame3D(canvas, rect, graphics::clBtnShadow, graphics::clBtnHighlight);
    ui::Frame3D(canvas, rect, graphics::cl3DDkShadow, graphics::clBtnFace);
    if (buttonMode_) {
        TRect button =
            graphics::Rect(w - kPlainFrame - h, kPlainFrame, w - kPlainFrame, h - kPlainFrame);
        ui::Frame3D(canvas, button, graphics::clBtnHighlight, graphics::clBtnShadow);
    }
}

void TbsSkinEdit::RenderTextArea(TBitmap& bitmap, int width, int height) {
    bitmap.SetWidth(std::max(width, 0));
    bitmap.SetHeight(std::max(height, 0));
    if (bitmap.IsEmpty()) return;
    const TBitmap* picture = Picture();
    if (picture == nullptr) {
        ui::FillColor(bitmap.Canvas(), graphics::Rect(0, 0, width, height), defaultColor_);
    } else {
        const TbsSkinGeometry& g = skinLayout_.Geometry;
        TRect state = StateRect();
        TRect piece = graphics::Rect(state.left + g.ClRect.left, state.top + g.ClRect.top,
                                     state.left + g.ClRect.right, state.top + g.ClRect.bottom);
        TBitmap strip;
        ComposeHorizontalImage(strip, width, *picture, piece, std::max(g.LT.x - g.ClRect.left, 0),
                               std::max(g.ClRect.right - g.RT.x, 0), g.StretchEffect);
        bitmap.Canvas().Changing();
        if (useSkinFont_)
            BitBlt(bitmap.Canvas().Handle(), 0, 0, strip.Width(), strip.Height(),
                   strip.Canvas().Handle(), 0, 0, SRCCOPY);
        else
            StretchPiece(bitmap.Canvas().Handle(), graphics::Rect(0, 0, width, height),
                         strip.Canvas().Handle(),
                         graphics::Rect(0, 0, strip.Width(), strip.Height()));
        bitmap.Canvas().Changed();
    }
    DrawText(bitmap.Canvas(), width, height);
}

void TbsSkinEdit::DrawText(graphics::TCanvas& canvas, int width, int height) {
    canvas.Font().CopyFrom(&textFont_);
    canvas.Font().SetColor(TextColor());
    canvas.Brush().SetStyle(graphics::TBrushStyle::bsClear);
    const std::string text = Text();
    const int textWidth = canvas.TextWidth(text);
    const int lineHeight = canvas.TextHeight(text.empty() ? "Wg" : text);
    const int y = std::max(0, (height - lineHeight) / 2);
    if (!Enabled()) {
        // The disabled edit draws its text itself, placed by the alignment.
        int x = kTextLeft;
        if (alignment_ == ui::TAlignment::taRightJustify) x = width - textWidth - 1;
        if (alignment_ == ui::TAlignment::taCenter) x = width / 2 - textWidth / 2;
        canvas.TextRect(graphics::Rect(0, 0, width, height), x, y, text);
        return;
    }
    DWORD start = 0;
    DWORD end = 0;
    if (HandleAllocated())
        SendMessage(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                    reinterpret_cast<LPARAM>(&end));
    const bool focused = Focused();
    const int caretX = canvas.TextWidth(Prefix(text, end));
    // Keep the caret in view the way the platform edit scrolls: only as far as needed, and
    // the offset stays until the caret leaves the view again.
    const int room = std::max(width - 2 * kTextLeft, 1);
    if (caretX - scroll_ > room) scroll_ = caretX - room;
    if (caretX < scroll_) scroll_ = caretX;
    scroll_ = std::max(scroll_, 0);
    const int x0 = kTextLeft - scroll_;
    const TRect area = graphics::Rect(0, 0, width, height);
    canvas.TextRect(area, x0, y, text);
    if (focused && start != end) {
        const int s = x0 + canvas.TextWidth(Prefix(text, start));
        const int e = x0 + caretX;
        ui::FillColor(canvas, graphics::Rect(s, 1, e, height - 1), graphics::clHighlight);
        canvas.Font().SetColor(graphics::clHighlightText);
        canvas.Brush().SetStyle(graphics::TBrushStyle::bsClear);
        canvas.TextRect(graphics::Rect(s, 0, e, height), x0, y, text);
    }
    if (focused)
        ui::FillColor(canvas, graphics::Rect(x0 + caretX, y, x0 + caretX + 1, y + lineHeight),
                      TextColor());
}

void TbsSkinEdit::PaintTo(TBitmap& bitmap) {
    BindSkinObject();
    RenderFrame(bitmap);
    const TRect f = FrameWidths();
    TBitmap area;
    RenderTextArea(area, Width() - f.left - f.right, Height() - f.top - f.bottom);
    if (area.IsEmpty() || bitmap.IsEmpty()) return;
    bitmap.Canvas().Changing();
    BitBlt(bitmap.Canvas().Handle(), f.left, f.top, area.Width(), area.Height(),
           area.Canvas().Handle(), 0, 0, SRCCOPY);
    bitmap.Canvas().Changed();
}

// ---------------------------------------------------------------------------------------------
// Messages

void TbsSkinEdit::PaintFrame() {
    BindSkinObject();
    TBitmap image;
    RenderFrame(image);
    HDC dc = GetWindowDC(Handle());
    if (dc == nullptr) return;
    const TRect f = FrameWidths();
    ExcludeClipRect(dc, f.left, f.top, Width() - f.right, Height() - f.bottom);
    BitBlt(dc, 0, 0, image.Width(), image.Height(), image.Canvas().Handle(), 0, 0, SRCCOPY);
    ReleaseDC(Handle(), dc);
}

void TbsSkinEdit::PaintClient() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    if (dc == nullptr) return;
    BindSkinObject();
    RECT client;
    GetClientRect(Handle(), &client);
    TBitmap area;
    RenderTextArea(area, client.right, client.bottom);
    if (!area.IsEmpty())
        BitBlt(dc, 0, 0, area.Width(), area.Height(), area.Canvas().Handle(), 0, 0, SRCCOPY);
    EndPaint(Handle(), &ps);
}

void TbsSkinEdit::WndProc(ui::TMessage& message) {
    switch (message.Msg) {
        case WM_NCCALCSIZE:
            if (message.LParam != 0) {
                auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(message.LParam);
                const TRect f = FrameWidths();
                params->rgrc[0].left += f.left;
                params->rgrc[0].top += f.top;
                params->rgrc[0].right -= f.right;
                params->rgrc[0].bottom -= f.bottom;
            }
            message.Result = 0;
            return;
        case WM_NCPAINT:
            PaintFrame();
            message.Result = 0;
            return;
        case WM_PAINT:
            PaintClient();
            message.Result = 0;
            return;
        case WM_MOUSEMOVE:
            if (!mouseIn_) {
                TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, Handle(), 0};
                TrackMouseEvent(&track);
                SetHot(true);
            }
            break;
        case WM_MOUSELEAVE:
            SetHot(false);
            break;
        case WM_SETTEXT:
            scroll_ = 0;
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            ui::TEdit::WndProc(message);
            // A click places the caret itself once the focus is there.
            if (message.Msg == WM_SETFOCUS && autoSelect_ && GetKeyState(VK_LBUTTON) >= 0)
                SendMessage(Handle(), EM_SETSEL, 0, -1);
            RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
            return;
        default:
            break;
    }
    ui::TEdit::WndProc(message);
    // Editing changes what the text area shows.
    if (message.Msg == WM_CHAR || message.Msg == WM_KEYDOWN || message.Msg == WM_LBUTTONDOWN ||
        (message.Msg == WM_MOUSEMOVE && (message.WParam & MK_LBUTTON)))
        Invalidate();
}

}  // namespace skinctrls
