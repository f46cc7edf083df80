#include "graphics/canvas.h"

#include <vector>

#include "core/exceptions.h"
#include "graphics/graphic.h"
#include "graphics/resource_strings.h"
#include "platform/gdi/gdi.h"

namespace graphics {

using namespace platform;

TCanvas::TCanvas() : copyMode_(SRCCOPY) {
    font_.SetOwnerLock(&lock_);
    pen_.SetOwnerLock(&lock_);
    brush_.SetOwnerLock(&lock_);
    font_.SetOnChange([this](TGraphicsObject*) { FontChanged(); });
    pen_.SetOnChange([this](TGraphicsObject*) { PenChanged(); });
    brush_.SetOnChange([this](TGraphicsObject*) { BrushChanged(); });
}

TCanvas::~TCanvas() {
    SetHandle(nullptr);
}

HDC TCanvas::Handle() {
    RequiredState(csHandleValid);
    return handle_;
}

void TCanvas::SetHandle(HDC handle) {
    if (handle == handle_) return;
    if (handle_) {
        DeselectHandles();
        handle_ = nullptr;
        state_ &= static_cast<uint8_t>(~csHandleValid);
    }
    if (handle) {
        state_ |= csHandleValid;
        handle_ = handle;
    }
}

void TCanvas::DeselectHandles() {
    if (!handle_ || (state_ & (csPenValid | csBrushValid | csFontValid)) == 0) return;
    SelectObject(handle_, GetStockObject(BLACK_PEN));
    SelectObject(handle_, GetStockObject(HOLLOW_BRUSH));
    SelectObject(handle_, GetStockObject(SYSTEM_FONT));
    state_ &= static_cast<uint8_t>(~(csPenValid | csBrushValid | csFontValid));
}

void TCanvas::RequiredState(uint8_t required) {
    uint8_t needed = required & static_cast<uint8_t>(~state_);
    if (needed == 0) return;
    if (needed & csHandleValid) {
        CreateHandle();
        if (!handle_) throw core::EInvalidOperation(strings::SNoCanvasHandle);
    }
    if (needed & csFontValid) SelectFont();
    if (needed & csPenValid) SelectPen();
    if (needed & csBrushValid) SelectBrush();
    state_ |= needed;
}

void TCanvas::SelectFont() {
    SelectObject(handle_, font_.Handle());
    SetTextColor(handle_, ColorToRGB(font_.Color()));
}

void TCanvas::SelectPen() {
    SelectObject(handle_, pen_.Handle());
    SetROP2(handle_, pen_.Rop2());
}

void TCanvas::SelectBrush() {
    SelectObject(handle_, brush_.Handle());
    SetBkColor(handle_, ColorToRGB(brush_.Color()));
    SetBkMode(handle_, brush_.Style() == TBrushStyle::bsSolid ? OPAQUE : TRANSPARENT);
}

void TCanvas::FontChanged() {
    if (state_ & csFontValid) {
        state_ &= static_cast<uint8_t>(~csFontValid);
        SelectObject(handle_, GetStockObject(SYSTEM_FONT));
    }
}

void TCanvas::PenChanged() {
    if (state_ & csPenValid) {
        state_ &= static_cast<uint8_t>(~csPenValid);
        SelectObject(handle_, GetStockObject(BLACK_PEN));
    }
}

void TCanvas::BrushChanged() {
    if (state_ & csBrushValid) {
        state_ &= static_cast<uint8_t>(~csBrushValid);
        SelectObject(handle_, GetStockObject(HOLLOW_BRUSH));
    }
}

void TCanvas::Lock() {
    lock_.lock();
    ++lockCount_;
}

void TCanvas::Unlock() {
    --lockCount_;
    lock_.unlock();
}

bool TCanvas::TryLock() {
    if (!lock_.try_lock()) return false;
    ++lockCount_;
    return true;
}

void TCanvas::Changing() {
    if (onChanging_) onChanging_(this);
}

void TCanvas::Changed() {
    if (onChange_) onChange_(this);
}

TPoint TCanvas::PenPos() {
    RequiredState(csHandleValid);
    POINT p{};
    GetCurrentPositionEx(handle_, &p);
    return {p.x, p.y};
}

void TCanvas::DrawGraphic(const TRect& rect, TGraphic* graphic) {
    PaintGraphic(rect, graphic, &TGraphic::DrawInto);
}

void TCanvas::DrawGraphicOnce(const TRect& rect, TGraphic* graphic) {
    PaintGraphic(rect, graphic, &TGraphic::DrawOnceInto);
}

void TCanvas::PaintGraphic(const TRect& rect, TGraphic* graphic, GraphicDraw draw) {
    if (graphic == nullptr) return;
    Changing();
    RequiredState(csAllValid);
    (graphic->*draw)(*this, rect);
    Changed();
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
    if (graphic == nullptr || graphic->IsEmpty()) return;
    Changing();
    RequiredState(csHandleValid);
    SetBkColor(handle_, ColorToRGB(brush_.Color()));
    SetTextColor(handle_, ColorToRGB(font_.Color()));
    graphic->DrawInto(*this, Rect(x, y, x + graphic->Width(), y + graphic->Height()));
    Changed();
}

uint32_t TCanvas::ReadPixel(int x, int y) {
    RequiredState(csHandleValid);
    return GetPixel(handle_, x, y);
}

void TCanvas::WritePixel(int x, int y, TColor color) {
    Changing();
    RequiredState(csHandleValid | csPenValid);
    SetPixel(handle_, x, y, ColorToRGB(color));
    Changed();
}

TRect TCanvas::ClipBounds() {
    RequiredState(csHandleValid);
    RECT r{};
    GetClipBox(handle_, &r);
    return TRect::FromRECT(r);
}

void TCanvas::FillRect(const TRect& rect) {
    Changing();
    RequiredState(csHandleValid | csBrushValid);
    RECT r = rect.ToRECT();
    platform::FillRect(handle_, &r, brush_.Handle());
    Changed();
}

void TCanvas::FrameRect(const TRect& rect) {
    Changing();
    RequiredState(csHandleValid | csBrushValid);
    RECT r = rect.ToRECT();
    platform::FrameRect(handle_, &r, brush_.Handle());
    Changed();
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect) {
    Changing();
    RequiredState(csHandleValid | csFontValid | csBrushValid);
    source.RequiredState(csHandleValid | csBrushValid);
    StretchBlt(handle_, dest.left, dest.top, dest.Width(), dest.Height(), source.handle_,
               sourceRect.left, sourceRect.top, sourceRect.Width(), sourceRect.Height(), copyMode_);
    Changed();
}

void TCanvas::Rectangle(const TRect& rect) {
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    platform::Rectangle(handle_, rect.left, rect.top, rect.right, rect.bottom);
    Changed();
}

void TCanvas::Ellipse(const TRect& rect) {
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    platform::Ellipse(handle_, rect.left, rect.top, rect.right, rect.bottom);
    Changed();
}

void TCanvas::MoveTo(int x, int y) {
    RequiredState(csHandleValid);
    MoveToEx(handle_, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    platform::LineTo(handle_, x, y);
    Changed();
}

namespace {

std::vector<POINT> ToPOINTs(const TPoint* points, int count) {
    std::vector<POINT> out(static_cast<size_t>(count > 0 ? count : 0));
    for (size_t i = 0; i < out.size(); ++i) out[i] = {points[i].x, points[i].y};
    return out;
}

}  // namespace

void TCanvas::Polygon(const TPoint* points, int count) {
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    auto list = ToPOINTs(points, count);
    platform::Polygon(handle_, list.data(), static_cast<int>(list.size()));
    Changed();
}

void TCanvas::Polyline(const TPoint* points, int count) {
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    auto list = ToPOINTs(points, count);
    platform::Polyline(handle_, list.data(), static_cast<int>(list.size()));
    Changed();
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    Changing();
    RequiredState(csHandleValid | csFontValid | csBrushValid);
    ExtTextOut(handle_, x, y, textFlags_, nullptr, text.data(), static_cast<int>(text.size()),
               nullptr);
    MoveToEx(handle_, x + TextExtent(text).cx, y, nullptr);
    Changed();
}

void TCanvas::TextRect(const TRect& rect, int x, int y, const std::string& text) {
    Changing();
    RequiredState(csHandleValid | csFontValid | csBrushValid);
    RECT r = rect.ToRECT();
    UINT options = ETO_CLIPPED | static_cast<UINT>(textFlags_);
    if (brush_.Style() != TBrushStyle::bsClear) options |= ETO_OPAQUE;
    ExtTextOut(handle_, x, y, options, &r, text.data(), static_cast<int>(text.size()), nullptr);
    Changed();
}

SIZE TCanvas::TextExtent(const std::string& text) {
    RequiredState(csHandleValid | csFontValid);
    SIZE size{};
    GetTextExtentPoint32(handle_, text.data(), static_cast<int>(text.size()), &size);
    return size;
}

}  // namespace graphics
