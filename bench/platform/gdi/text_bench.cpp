// Text layout and drawing of one 40-character line mixing Chinese and Latin.
#include <benchmark/benchmark.h>

#include "core/utf8.h"
#include "platform/gdi/font_realize.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/text_layout.h"
#include "platform/gdi/text_mask.h"

namespace {

using namespace platform;

// 40 characters: 14 Chinese, the rest Latin letters, digits, spaces and signs.
constexpr const char kLine[] = "导出64X64图标 打开图片文件 Export icon 预览16*16 完成!";

std::shared_ptr<text::RealizedFont> SongFont() {
    text::FontSpec spec;
    spec.faceName = "宋体";
    spec.height = -12;
    return text::RealizeFont(spec);
}

class FontMeasure final : public text::TextMeasure {
  public:
    explicit FontMeasure(text::RealizedFont& font) : font_(font) {}
    int Advance(char32_t ch) override { return font_.Advance(ch); }
    int LineHeight() override { return font_.Metrics().height; }
    int ExternalLeading() override { return 0; }
    int AveCharWidth() override { return font_.Metrics().aveCharWidth; }

  private:
    text::RealizedFont& font_;
};

void BM_LayoutLine(benchmark::State& state) {
    auto font = SongFont();
    const std::u32string chars = core::Utf8ToUtf32(kLine);
    FontMeasure measure(*font);
    std::lock_guard lock(text::TextLock());
    for (auto _ : state) {
        auto layout = text::LayoutText(chars, {0, 0, 400, 20},
                                       DT_SINGLELINE | DT_CENTER | DT_VCENTER, measure);
        benchmark::DoNotOptimize(layout);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(chars.size()));
}
BENCHMARK(BM_LayoutLine);

void BM_WordBreakLine(benchmark::State& state) {
    auto font = SongFont();
    const std::u32string chars = core::Utf8ToUtf32(kLine);
    FontMeasure measure(*font);
    std::lock_guard lock(text::TextLock());
    for (auto _ : state) {
        auto layout =
            text::LayoutText(chars, {0, 0, 100, 200}, DT_WORDBREAK | DT_CALCRECT, measure);
        benchmark::DoNotOptimize(layout);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(chars.size()));
}
BENCHMARK(BM_WordBreakLine);

void BM_RasteriseLine(benchmark::State& state) {
    auto font = SongFont();
    const std::u32string chars = core::Utf8ToUtf32(kLine);
    std::lock_guard lock(text::TextLock());
    for (auto _ : state) {
        auto placed = font->Place(chars);
        text::CoverageMask mask(0, 0, 400, 16);
        for (const auto& glyph : placed) mask.DrawGlyph(*glyph.image, glyph.x, 12);
        benchmark::DoNotOptimize(mask.Row(0));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(chars.size()));
}
BENCHMARK(BM_RasteriseLine);

// A 400 × 20 32-bit surface in a memory DC with the 12-pixel Song font selected.
class Surface {
  public:
    Surface() {
        dc_ = CreateCompatibleDC(nullptr);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = 400;
        info.bmiHeader.biHeight = -20;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        oldBitmap_ = SelectObject(dc_, bitmap_);
        font_ = CreateFont(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, "宋体");
        oldFont_ = SelectObject(dc_, font_);
    }
    ~Surface() {
        SelectObject(dc_, oldFont_);
        SelectObject(dc_, oldBitmap_);
        DeleteObject(font_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    HDC Dc() const { return dc_; }

  private:
    HDC dc_;
    HBITMAP bitmap_;
    HFONT font_;
    HGDIOBJ oldBitmap_;
    HGDIOBJ oldFont_;
};

void BM_DrawTextLine(benchmark::State& state) {
    Surface surface;
    SetBkMode(surface.Dc(), static_cast<int>(state.range(0)));
    for (auto _ : state) {
        RECT r{0, 0, 400, 20};
        benchmark::DoNotOptimize(
            DrawText(surface.Dc(), kLine, -1, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER));
    }
    state.SetItemsProcessed(state.iterations() * 40);
}
BENCHMARK(BM_DrawTextLine)->Arg(TRANSPARENT)->Arg(OPAQUE);

void BM_TextOutLine(benchmark::State& state) {
    Surface surface;
    SetBkMode(surface.Dc(), TRANSPARENT);
    const int bytes = static_cast<int>(sizeof(kLine) - 1);
    for (auto _ : state) benchmark::DoNotOptimize(TextOut(surface.Dc(), 2, 2, kLine, bytes));
    state.SetItemsProcessed(state.iterations() * 40);
}
BENCHMARK(BM_TextOutLine);

}  // namespace
