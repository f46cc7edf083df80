#pragma once
// The bridge between the HTML engine and the program's drawing services: fonts through
// CreateFont and GetTextMetrics, text through TextOut, backgrounds and borders as filled
// rectangles, clipping through the context's clip region. Images are not loaded: they take
// the size their attributes give and are not drawn.
#include <litehtml/litehtml.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/wintypes.h"

namespace graphics {
class TPicture;
}

namespace banner {

// Local images larger than this are not read.
inline constexpr uintmax_t kMaxImageBytes = 8u << 20;

class THtmlContainer : public litehtml::document_container {
  public:
    THtmlContainer();
    ~THtmlContainer();
    THtmlContainer(const THtmlContainer&) = delete;
    THtmlContainer& operator=(const THtmlContainer&) = delete;

    // The viewport the page lays out in.
    void SetClientSize(int width, int height);
    // The page's own address, against which image sources are resolved.
    void SetDocumentUrl(std::string url) { documentUrl_ = std::move(url); }
    const std::string& Title() const { return title_; }
    // Called with a link's address (as written in the page) when the user clicks the link.
    std::function<void(const std::string& url)> OnAnchorClick;

    litehtml::uint_ptr create_font(const litehtml::tchar_t* faceName, int size, int weight,
                                   litehtml::font_style italic, unsigned int decoration,
                                   litehtml::font_metrics* fm) override;
    void delete_font(litehtml::uint_ptr font) override;
    int text_width(const litehtml::tchar_t* text, litehtml::uint_ptr font) override;
    void draw_text(litehtml::uint_ptr hdc, const litehtml::tchar_t* text, litehtml::uint_ptr font,
                   litehtml::web_color color, const litehtml::position& pos) override;
    int pt_to_px(int pt) const override;
    int get_default_font_size() const override;
    const litehtml::tchar_t* get_default_font_name() const override;
    void draw_list_marker(litehtml::uint_ptr hdc, const litehtml::list_marker& marker) override;
    void load_image(const litehtml::tchar_t* src, const litehtml::tchar_t* baseurl,
                    bool redrawOnReady) override;
    void get_image_size(const litehtml::tchar_t* src, const litehtml::tchar_t* baseurl,
                        litehtml::size& size) override;
    void draw_background(litehtml::uint_ptr hdc, const litehtml::background_paint& bg) override;
    void draw_borders(litehtml::uint_ptr hdc, const litehtml::borders& borders,
                      const litehtml::position& drawPos, bool root) override;
    void set_caption(const litehtml::tchar_t* caption) override;
    void set_base_url(const litehtml::tchar_t* baseUrl) override;
    void link(const std::shared_ptr<litehtml::document>& doc,
              const litehtml::element::ptr& el) override;
    void on_anchor_click(const litehtml::tchar_t* url, const litehtml::element::ptr& el) override;
    void set_cursor(const litehtml::tchar_t* cursor) override;
    void transform_text(litehtml::tstring& text, litehtml::text_transform tt) override;
    void import_css(litehtml::tstring& text, const litehtml::tstring& url,
                    litehtml::tstring& baseurl) override;
    void set_clip(const litehtml::position& pos, const litehtml::border_radiuses& radius,
                  bool validX, bool validY) override;
    void del_clip() override;
    void get_client_rect(litehtml::position& client) const override;
    std::shared_ptr<litehtml::element> create_element(
        const litehtml::tchar_t* tagName, const litehtml::string_map& attributes,
        const std::shared_ptr<litehtml::document>& doc) override;
    void get_media_features(litehtml::media_features& media) const override;
    void get_language(litehtml::tstring& language, litehtml::tstring& culture) const override;

  private:
    // Limits drawing on `dc` to the innermost clip while `draw` runs.
    template <typename Draw>
    void Clipped(platform::HDC dc, Draw draw);
    // Coordinates are 64-bit so that the sums of a hostile page's huge lengths cannot
    // overflow; the box is clamped to what a context can address before it is filled.
    void FillBox(platform::HDC dc, int64_t left, int64_t top, int64_t right, int64_t bottom,
                 const litehtml::web_color& color);

    // The picture for an image source, read on first use; null when it cannot be shown.
    graphics::TPicture* Image(const std::string& src, const char* baseUrl);

    platform::HDC measureDc_ = nullptr;
    std::string documentUrl_;
    std::map<std::string, std::unique_ptr<graphics::TPicture>> images_;
    int width_ = 0;
    int height_ = 0;
    std::string title_;
    std::vector<litehtml::position> clips_;
};

// The first family of a CSS font-family list, unquoted ("Arial" for "'Arial', sans-serif").
std::string FirstFontFamily(const std::string& families);

}  // namespace banner
