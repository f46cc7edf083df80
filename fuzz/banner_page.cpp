// fuzz-deps: banner
// The banner's page handling: the nesting guard, then, for a page it lets through, parsing,
// layout at the strip's size, drawing, and the body clean-up with a second layout and draw.
#include <cstddef>
#include <cstdint>
#include <string>

#include "banner/banner_document.h"
#include "banner/page_guard.h"
#include "graphics/bitmap.h"
#include "graphics/canvas.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string html(reinterpret_cast<const char*>(data), size);
    if (banner::EstimatedNestingDepth(html) > banner::kMaxNestingDepth) return 0;
    auto page = banner::TBannerDocument::Load(html, "file:///nonexistent/banner.html");
    graphics::TBitmap bitmap;
    bitmap.SetWidth(468);
    bitmap.SetHeight(100);
    page->Layout(468, 100);
    page->Draw(bitmap.Canvas().Handle());
    page->SetBodyScroll("no");
    page->SetBodyStyle("margin", "0");
    page->SetBodyStyle("border-width", "0px");
    page->Draw(bitmap.Canvas().Handle());
    page->Click(10, 10);
    return 0;
}
