#include "banner/banner_document.h"

#include <algorithm>

#include "banner/master_css.h"
#include "banner/page_fetch.h"
#include "core/utf8.h"
#include "platform/gdi/gdi.h"

namespace banner {

using namespace platform;

namespace {

litehtml::context& Context() {
    static litehtml::context context = [] {
        litehtml::context c;
        c.load_master_stylesheet(kMasterStyleSheet);
        return c;
    }();
    return context;
}

std::string Trim(const std::string& text) {
    size_t begin = text.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos) return {};
    size_t end = text.find_last_not_of(" \t\r\n");
    return text.substr(begin, end - begin + 1);
}

void FillSolid(HDC dc, int left, int top, int right, int bottom, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    RECT rect{left, top, right, bottom};
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

}  // namespace

std::vector<std::pair<std::string, std::string>> ParseInlineStyle(const std::string& text) {
    std::vector<std::pair<std::string, std::string>> declarations;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = std::min(text.find(';', start), text.size());
        std::string declaration = text.substr(start, end - start);
        size_t colon = declaration.find(':');
        if (colon != std::string::npos) {
            std::string name = core::LowerCaseAscii(Trim(declaration.substr(0, colon)));
            std::string value = Trim(declaration.substr(colon + 1));
            if (!name.empty()) declarations.emplace_back(std::move(name), std::move(value));
        }
        start = end + 1;
    }
    return declarations;
}

TBannerDocument::TBannerDocument(std::string html, std::string url)
    : html_(std::move(html)), url_(std::move(url)) {
    container_.SetDocumentUrl(url_);
}

TBannerDocument::~TBannerDocument() {
    // The document's fonts go back through the container, so it must go first.
    body_.reset();
    document_.reset();
}

std::shared_ptr<TBannerDocument> TBannerDocument::Load(const std::string& html, std::string url) {
    std::shared_ptr<TBannerDocument> page(new TBannerDocument(html, std::move(url)));
    TBannerDocument* self = page.get();
    page->container_.OnAnchorClick = [self](const std::string& href) {
        if (self->OnLinkClick) self->OnLinkClick(ResolveUrl(self->url_, href));
    };
    page->Parse();
    if (page->body_ != nullptr) {
        const char* style = page->body_->get_attr("style");
        page->bodyStyle_ = ParseInlineStyle(style != nullptr ? style : "");
    }
    return page;
}

void TBannerDocument::Parse() {
    // Restyling the body of a parsed document loses its descendants' own styles in this
    // engine, so a change parses the page again with the changes as an overriding user style
    // sheet, which outranks the page's own rules and inline styles.
    std::string overrides;
    for (const auto& [name, value] : changedStyle_)
        if (!value.empty())
            overrides.append(name).append(": ").append(value).append(" !important; ");
    litehtml::css userStyles;
    if (!overrides.empty()) {
        std::string sheet = "body { " + overrides + "}";
        userStyles.parse_stylesheet(sheet.c_str(), nullptr, nullptr, nullptr);
        userStyles.sort_selectors();
    }
    body_.reset();
    document_.reset();
    // The engine stops at a NUL byte; the rest of such a page is not text anyway.
    document_ = litehtml::document::createFromUTF8(html_.c_str(), &container_, &Context(),
                                                   overrides.empty() ? nullptr : &userStyles);
    if (document_ != nullptr && document_->root() != nullptr)
        body_ = document_->root()->select_one("body");
    // scroll has no meaning for the style engine: it is an attribute the layout reads.
    if (body_ != nullptr && scrollChanged_) body_->set_attr("scroll", changedScroll_.c_str());
}

std::string TBannerDocument::BodyScroll() const {
    const char* value = body_ != nullptr ? body_->get_attr("scroll") : nullptr;
    return value != nullptr ? value : "";
}

void TBannerDocument::SetBodyScroll(const std::string& value) {
    if (body_ == nullptr) return;
    scrollChanged_ = true;
    changedScroll_ = value;
    body_->set_attr("scroll", value.c_str());
    Layout(width_, height_);
    if (OnChange) OnChange();
}

std::string TBannerDocument::BodyStyle(const std::string& cssName) const {
    for (const auto& [name, value] : bodyStyle_)
        if (name == cssName) return value;
    return {};
}

bool TBannerDocument::SetBodyStyle(const std::string& cssName, const std::string& value) {
    if (body_ == nullptr || value.find_first_of(";{}") != std::string::npos) return false;
    auto set = [&](std::vector<std::pair<std::string, std::string>>& declarations) {
        auto found =
            std::find_if(declarations.begin(), declarations.end(),
                         [&](const auto& declaration) { return declaration.first == cssName; });
        if (found != declarations.end())
            found->second = value;
        else
            declarations.emplace_back(cssName, value);
    };
    set(bodyStyle_);
    set(changedStyle_);
    Parse();
    Layout(width_, height_);
    if (OnChange) OnChange();
    return true;
}

std::string TBannerDocument::BodyStyleText() const {
    std::string text;
    for (const auto& [name, value] : bodyStyle_) {
        if (value.empty()) continue;  // an emptied declaration goes away, as in the browser
        if (!text.empty()) text += "; ";
        text.append(name).append(": ").append(value);
    }
    return text;
}

void TBannerDocument::Layout(int width, int height) {
    width_ = std::max(0, width);
    height_ = std::max(0, height);
    scrollBar_ = false;
    if (document_ == nullptr) return;
    container_.SetClientSize(width_, height_);
    document_->render(width_);
    std::string scroll = core::LowerCaseAscii(BodyScroll());
    if (scroll == "no") return;
    bool overflow = document_->height() > height_;
    if ((scroll == "yes" || overflow) && width_ > kScrollBarWidth) {
        scrollBar_ = true;
        container_.SetClientSize(width_ - kScrollBarWidth, height_);
        document_->render(width_ - kScrollBarWidth);
    }
}

int TBannerDocument::ContentHeight() const {
    return document_ != nullptr ? document_->height() : 0;
}

litehtml::position TBannerDocument::BodyBox() const {
    if (body_ == nullptr) return {};
    litehtml::position box = body_->get_placement();
    litehtml::margins borders = body_->get_borders();
    litehtml::margins paddings = body_->get_paddings();
    box.x -= borders.left + paddings.left;
    box.y -= borders.top + paddings.top;
    box.width += borders.left + borders.right + paddings.left + paddings.right;
    box.height += borders.top + borders.bottom + paddings.top + paddings.bottom;
    return box;
}

void TBannerDocument::Draw(HDC dc) {
    FillSolid(dc, 0, 0, width_, height_, RGB(255, 255, 255));
    if (document_ == nullptr) return;
    int viewWidth = scrollBar_ ? width_ - kScrollBarWidth : width_;
    litehtml::position clip(0, 0, viewWidth, height_);
    int saved = SaveDC(dc);
    IntersectClipRect(dc, 0, 0, viewWidth, height_);
    document_->draw(reinterpret_cast<litehtml::uint_ptr>(dc), 0, 0, &clip);
    RestoreDC(dc, saved);
    if (scrollBar_) DrawScrollBar(dc);
}

void TBannerDocument::Click(int x, int y) {
    if (document_ == nullptr) return;
    // The engine presses the element the pointer is over, so it must know where that is.
    litehtml::position::vector redraw;
    document_->on_mouse_over(x, y, x, y, redraw);
    document_->on_lbutton_down(x, y, x, y, redraw);
    document_->on_lbutton_up(x, y, x, y, redraw);
}

void TBannerDocument::DrawScrollBar(HDC dc) const {
    // A plain vertical bar at the top position: arrow boxes at both ends, the thumb sized by
    // the visible share of the page.
    const int left = width_ - kScrollBarWidth, right = width_;
    FillSolid(dc, left, 0, right, height_, RGB(0xF0, 0xF0, 0xF0));
    const int arrow = std::min(kScrollBarWidth, height_ / 2);
    FillSolid(dc, left, 0, right, arrow, RGB(0xC0, 0xC0, 0xC0));
    FillSolid(dc, left, height_ - arrow, right, height_, RGB(0xC0, 0xC0, 0xC0));
    int track = height_ - 2 * arrow;
    int content = std::max(ContentHeight(), 1);
    if (track > 8) {
        int thumb = std::clamp(track * height_ / content, 8, track);
        FillSolid(dc, left + 2, arrow, right - 2, arrow + thumb, RGB(0xA0, 0xA0, 0xA0));
    }
}

}  // namespace banner
