#pragma once
// One loaded page of the strip: the parsed document, laid out at the strip's size, the body's
// inline style and its scroll setting, and how it draws (with a vertical scroll bar when the
// page is taller than the strip, unless the body says scroll="no").
#include <litehtml/litehtml.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "banner/html_container.h"
#include "platform/gdi/wintypes.h"

namespace banner {

inline constexpr int kScrollBarWidth = 17;

class TBannerDocument {
  public:
    // Parses `html` (UTF-8). Never fails: the engine makes a body for any text.
    static std::shared_ptr<TBannerDocument> Load(const std::string& html, std::string url);
    ~TBannerDocument();
    TBannerDocument(const TBannerDocument&) = delete;
    TBannerDocument& operator=(const TBannerDocument&) = delete;

    const std::string& Url() const { return url_; }
    std::string Title() const { return container_.Title(); }
    bool HasBody() const { return body_ != nullptr; }

    // The body's scroll attribute ("" when not set).
    std::string BodyScroll() const;
    void SetBodyScroll(const std::string& value);
    // One declaration of the body's inline style, by its CSS name ("" when not set).
    std::string BodyStyle(const std::string& cssName) const;
    // Sets one declaration; a value that would end the declaration early (it holds ";", "{"
    // or "}") is refused, as the browser refuses a malformed value, and false returned.
    bool SetBodyStyle(const std::string& cssName, const std::string& value);
    // The body's inline style as text.
    std::string BodyStyleText() const;

    // Lays the page out in a viewport of this size.
    void Layout(int width, int height);
    bool ScrollBarVisible() const { return scrollBar_; }
    int ContentHeight() const;
    // The body's border box as laid out, in strip coordinates.
    litehtml::position BodyBox() const;
    void Draw(platform::HDC dc);

    // A left click at a strip point; a link under it is reported through OnLinkClick with
    // its address resolved against the page's.
    void Click(int x, int y);
    std::function<void(const std::string& url)> OnLinkClick;

    // Called after a style or attribute change has been laid out again.
    std::function<void()> OnChange;

  private:
    TBannerDocument(std::string html, std::string url);
    // Builds the engine's document from the page's text, with the changes made to the body
    // so far applied on top.
    void Parse();
    void DrawScrollBar(platform::HDC dc) const;

    std::string html_;
    std::string url_;
    THtmlContainer container_;
    litehtml::document::ptr document_;
    litehtml::element::ptr body_;
    std::vector<std::pair<std::string, std::string>> bodyStyle_;
    // The declarations and the scroll value set since the page was loaded.
    std::vector<std::pair<std::string, std::string>> changedStyle_;
    std::string changedScroll_;
    bool scrollChanged_ = false;
    int width_ = 0;
    int height_ = 0;
    bool scrollBar_ = false;
};

// Splits a style attribute into declarations with lower-case names, in order.
std::vector<std::pair<std::string, std::string>> ParseInlineStyle(const std::string& text);

}  // namespace banner
