#include "skinctrls/skin_std_label.h"

#include "graphics/canvas.h"
#include "platform/gdi/gdi.h"
#include "ui/draw_utils.h"

namespace skinctrls {

using namespace platform;

TbsSkinStdLabel::TbsSkinStdLabel(ui::TComponent* owner)
    : ui::TGraphicControl(owner), TbsSkinBinding(*this, "stdlabel") {
    SetControlStyle(ControlStyle() & ~ui::TControlStyle(ui::csOpaque));
    defaultFont_.SetName("MS Sans Serif");
    defaultFont_.SetHeight(-11);
    defaultFont_.SetOnChange([this](graphics::TGraphicsObject*) {
        AdjustBounds();
        Invalidate();
    });
    SetBounds(Left(), Top(), 65, 17);
}

TbsSkinStdLabel::~TbsSkinStdLabel() {
    defaultFont_.SetOnChange(nullptr);
}

void TbsSkinStdLabel::SetSkinDataName(const std::string& value) {
    TbsSkinBinding::SetSkinDataName(value);
    AdjustBounds();
    Invalidate();
}

void TbsSkinStdLabel::Notification(ui::TComponent* component, ui::TOperation operation) {
    ui::TGraphicControl::Notification(component, operation);
    ForgetSkinData(component, operation);
}

void TbsSkinStdLabel::ApplySkinChange() {
    BindSkinObject();
    AdjustBounds();
    Invalidate();
}

void TbsSkinStdLabel::BindSkinObject() {
    TbsSkinBinding::BindSkinObject();
    const auto* object = SkinObjectAs<skin::TbsDataSkinStdLabelControl>();
    if (object != nullptr) font_.CopyFrom(*object);
}

void TbsSkinStdLabel::SetUseSkinFont(bool value) {
    useSkinFont_ = value;
    AdjustBounds();
    Invalidate();
}

void TbsSkinStdLabel::SetAutoSize(bool value) {
    autoSize_ = value;
    AdjustBounds();
}

void TbsSkinStdLabel::SetWordWrap(bool value) {
    wordWrap_ = value;
    AdjustBounds();
    Invalidate();
}

void TbsSkinStdLabel::SetShowAccelChar(bool value) {
    showAccelChar_ = value;
    AdjustBounds();
    Invalidate();
}

void TbsSkinStdLabel::SetTransparent(bool value) {
    transparent_ = value;
    ui::TControlStyle style = ControlStyle();
    SetControlStyle(value ? (style & ~ui::TControlStyle(ui::csOpaque)) : (style | ui::csOpaque));
    Invalidate();
}

void TbsSkinStdLabel::TextChanged() {
    AdjustBounds();
    Invalidate();
}

void TbsSkinStdLabel::FontChanged() {
    ui::TGraphicControl::FontChanged();
    AdjustBounds();
}

void TbsSkinStdLabel::PrepareFont(graphics::TFont& font) {
    BindSkinObject();
    if (index_ == -1) {
        font.CopyFrom(useSkinFont_ ? &defaultFont_ : &Font());
    } else {
        font.CopyFrom(&Font());
        if (useSkinFont_) font_.ApplyTo(font);
        font.SetColor(useSkinColor_ ? font_.Color : Font().Color());
    }
    if (SkinData() != nullptr && SkinData()->ResourceStrData() != nullptr)
        font.SetCharset(uint8_t(SkinData()->ResourceStrData()->CharSet()));
    else
        font.SetCharset(defaultFont_.Charset());
}

unsigned TbsSkinStdLabel::TextFormat() const {
    unsigned format = DT_EXPANDTABS;
    if (wordWrap_) format |= DT_WORDBREAK;
    if (!showAccelChar_) format |= DT_NOPREFIX;
    if (alignment_ == ui::TAlignment::taCenter) format |= DT_CENTER;
    if (alignment_ == ui::TAlignment::taRightJustify) format |= DT_RIGHT;
    if (ellipsType_ == TbsEllipsType::bsetEndEllips) format |= DT_END_ELLIPSIS;
    if (ellipsType_ == TbsEllipsType::bsetPathEllips) format |= DT_PATH_ELLIPSIS;
    return format;
}

SIZE TbsSkinStdLabel::MeasureText() {
    graphics::TBitmap scratch;
    scratch.SetWidth(1);
    scratch.SetHeight(1);
    graphics::TCanvas& canvas = scratch.Canvas();
    PrepareFont(canvas.Font());
    std::string text = Caption();
    if (text.empty() || (showAccelChar_ && text == "&")) text = " ";
    RECT rect{0, 0, wordWrap_ ? Width() : 0x7FFF, 0};
    canvas.EnsureDrawState();
    DrawText(canvas.Handle(), text.c_str(), int(text.size()), &rect,
             (TextFormat() & ~unsigned(DT_END_ELLIPSIS | DT_PATH_ELLIPSIS)) | DT_CALCRECT);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

void TbsSkinStdLabel::AdjustBounds() {
    if (!autoSize_ || Destroying()) return;
    SIZE size = MeasureText();
    int left = Left();
    if (alignment_ == ui::TAlignment::taRightJustify) left = Left() + Width() - size.cx;
    SetBounds(left, Top(), size.cx, size.cy);
}

void TbsSkinStdLabel::DrawLabelText(graphics::TCanvas& canvas) {
    PrepareFont(canvas.Font());
    const std::string& text = Caption();
    if (text.empty()) return;
    RECT rect{0, 0, Width(), Height()};
    const unsigned format = TextFormat();
    canvas.Changing();
    canvas.EnsureDrawState();
    HDC dc = canvas.Handle();
    if (layout_ != TTextLayout::tlTop) {
        RECT measure = rect;
        DrawText(dc, text.c_str(), int(text.size()), &measure, format | DT_CALCRECT);
        int height = measure.bottom - measure.top;
        int offset = layout_ == TTextLayout::tlBottom ? Height() - height : (Height() - height) / 2;
        rect.top += offset;
    }
    SetBkMode(dc, TRANSPARENT);
    if (!Enabled()) {
        // Embossed: the highlight one pixel down and right under the shadow.
        graphics::TColor highlight = graphics::clBtnHighlight;
        graphics::TColor shadow = graphics::clBtnShadow;
        if (index_ != -1) {
            highlight = SkinData()->SkinColors().cBtnHighLight;
            shadow = SkinData()->SkinColors().cBtnShadow;
        }
        RECT moved{rect.left + 1, rect.top + 1, rect.right + 1, rect.bottom + 1};
        SetTextColor(dc, graphics::ColorToRGB(highlight));
        DrawText(dc, text.c_str(), int(text.size()), &moved, format);
        SetTextColor(dc, graphics::ColorToRGB(shadow));
    } else {
        SetTextColor(dc, graphics::ColorToRGB(canvas.Font().Color()));
    }
    DrawText(dc, text.c_str(), int(text.size()), &rect, format);
    canvas.Changed();
}

void TbsSkinStdLabel::Paint() {
    if (!transparent_) ui::FillColor(Canvas(), ClientRect(), Color());
    DrawLabelText(Canvas());
}

void TbsSkinStdLabel::PaintTo(graphics::TBitmap& bitmap, graphics::TColor background) {
    bitmap.SetWidth(Width());
    bitmap.SetHeight(Height());
    if (bitmap.IsEmpty()) return;
    ui::FillColor(bitmap.Canvas(), ClientRect(), transparent_ ? background : Color());
    DrawLabelText(bitmap.Canvas());
}

}  // namespace skinctrls
