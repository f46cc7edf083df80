#include "banner/html_container.h"

#include <algorithm>
#include <filesystem>

#include "banner/page_fetch.h"
#include "graphics/canvas.h"
#include "graphics/picture.h"
#include "platform/gdi/gdi.h"

namespace banner {

using namespace platform;

namespace {

// Still pictures only: a GIF would start an animation painter on the strip's short-lived
// drawing surface.
bool IsStillPictureFile(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; });
    for (const char* still : {".bmp", ".ico", ".jpg", ".jpeg", ".wmf", ".emf"})
        if (extension == still) return true;
    return false;
}

// The engine's default text: 宋体 at 16 pixels, as the platform's browser shows Chinese pages.
constexpr const char* kDefaultFontName = "宋体";
constexpr int kDefaultFontSize = 16;

COLORREF ToColorRef(const litehtml::web_color& color) {
    return RGB(color.red, color.green, color.blue);
}

litehtml::web_color Shade(const litehtml::web_color& color, int percent) {
    auto scale = [percent](int c) { return litehtml::byte(std::clamp(c * percent / 100, 0, 255)); };
    auto lift = [percent](int c) {
        return litehtml::byte(std::clamp(c + (255 - c) * (percent - 100) / 100, 0, 255));
    };
    if (percent <= 100)
        return {scale(color.red), scale(color.green), scale(color.blue), color.alpha};
    return {lift(color.red), lift(color.green), lift(color.blue), color.alpha};
}

struct Edges {
    int64_t left, top, right, bottom;
};

Edges EdgesOf(const litehtml::position& box) {
    return {box.x, box.y, int64_t(box.x) + box.width, int64_t(box.y) + box.height};
}

int ClampCoordinate(int64_t value) {
    return int(std::clamp<int64_t>(value, -(1 << 30), 1 << 30));
}

HFONT AsFont(litehtml::uint_ptr font) {
    return reinterpret_cast<HFONT>(font);
}
HDC AsDc(litehtml::uint_ptr dc) {
    return reinterpret_cast<HDC>(dc);
}

}  // namespace

std::string FirstFontFamily(const std::string& families) {
    std::string first = families.substr(0, families.find(','));
    auto notSpaceOrQuote = [](char c) { return c != ' ' && c != '\t' && c != '"' && c != '\''; };
    auto begin = std::find_if(first.begin(), first.end(), notSpaceOrQuote);
    auto end = std::find_if(first.rbegin(), first.rend(), notSpaceOrQuote).base();
    return begin < end ? std::string(begin, end) : std::string();
}

THtmlContainer::THtmlContainer() : measureDc_(CreateCompatibleDC(nullptr)) {}

THtmlContainer::~THtmlContainer() {
    images_.clear();
    if (measureDc_ != nullptr) DeleteDC(measureDc_);
}

void THtmlContainer::SetClientSize(int width, int height) {
    width_ = std::max(0, width);
    height_ = std::max(0, height);
}

litehtml::uint_ptr THtmlContainer::create_font(const litehtml::tchar_t* faceName, int size,
                                               int weight, litehtml::font_style italic,
                                               unsigned int decoration,
                                               litehtml::font_metrics* fm) {
    std::string face = FirstFontFamily(faceName != nullptr ? faceName : "");
    if (face.empty()) face = kDefaultFontName;
    HFONT font = CreateFont(
        -std::max(1, size), 0, 0, 0, weight, italic == litehtml::fontStyleItalic,
        (decoration & litehtml::font_decoration_underline) != 0,
        (decoration & litehtml::font_decoration_linethrough) != 0, DEFAULT_CHARSET,
        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face.c_str());
    if (font == nullptr) return 0;
    if (fm != nullptr) {
        HGDIOBJ old = SelectObject(measureDc_, font);
        TEXTMETRIC metrics{};
        GetTextMetrics(measureDc_, &metrics);
        SIZE x{};
        GetTextExtentPoint32(measureDc_, "x", 1, &x);
        SelectObject(measureDc_, old);
        fm->ascent = metrics.tmAscent;
        fm->descent = metrics.tmDescent;
        fm->height = metrics.tmHeight;
        fm->x_height = std::max<int>(1, metrics.tmAscent / 2);
        fm->draw_spaces = italic == litehtml::fontStyleItalic || decoration != 0;
    }
    return reinterpret_cast<litehtml::uint_ptr>(font);
}

void THtmlContainer::delete_font(litehtml::uint_ptr font) {
    if (font != 0) DeleteObject(AsFont(font));
}

int THtmlContainer::text_width(const litehtml::tchar_t* text, litehtml::uint_ptr font) {
    if (text == nullptr || font == 0) return 0;
    HGDIOBJ old = SelectObject(measureDc_, AsFont(font));
    SIZE size{};
    GetTextExtentPoint32(measureDc_, text, int(std::char_traits<char>::length(text)), &size);
    SelectObject(measureDc_, old);
    return size.cx;
}

template <typename Draw>
void THtmlContainer::Clipped(HDC dc, Draw draw) {
    int saved = SaveDC(dc);
    if (!clips_.empty()) {
        const Edges clip = EdgesOf(clips_.back());
        IntersectClipRect(dc, ClampCoordinate(clip.left), ClampCoordinate(clip.top),
                          ClampCoordinate(clip.right), ClampCoordinate(clip.bottom));
    }
    draw();
    RestoreDC(dc, saved);
}

void THtmlContainer::draw_text(litehtml::uint_ptr hdc, const litehtml::tchar_t* text,
                               litehtml::uint_ptr font, litehtml::web_color color,
                               const litehtml::position& pos) {
    if (text == nullptr || font == 0 || hdc == 0) return;
    HDC dc = AsDc(hdc);
    Clipped(dc, [&] {
        SelectObject(dc, AsFont(font));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ToColorRef(color));
        TextOut(dc, pos.x, pos.y, text, int(std::char_traits<char>::length(text)));
    });
}

int THtmlContainer::pt_to_px(int pt) const {
    return pt * 96 / 72;
}
int THtmlContainer::get_default_font_size() const {
    return kDefaultFontSize;
}
const litehtml::tchar_t* THtmlContainer::get_default_font_name() const {
    return kDefaultFontName;
}

void THtmlContainer::FillBox(HDC dc, int64_t left, int64_t top, int64_t right, int64_t bottom,
                             const litehtml::web_color& color) {
    if (right <= left || bottom <= top || color.alpha == 0) return;
    HBRUSH brush = CreateSolidBrush(ToColorRef(color));
    RECT rect{ClampCoordinate(left), ClampCoordinate(top), ClampCoordinate(right),
              ClampCoordinate(bottom)};
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

void THtmlContainer::draw_list_marker(litehtml::uint_ptr hdc, const litehtml::list_marker& marker) {
    if (hdc == 0 || marker.marker_type == litehtml::list_style_type_none) return;
    // Every marker kind is shown as a small square bullet.
    const litehtml::position& box = marker.pos;
    int64_t side = std::max(2, std::min(box.width, box.height) / 2);
    int64_t left = box.x + (int64_t(box.width) - side) / 2;
    int64_t top = box.y + (int64_t(box.height) - side) / 2;
    HDC dc = AsDc(hdc);
    Clipped(dc, [&] { FillBox(dc, left, top, left + side, top + side, marker.color); });
}

graphics::TPicture* THtmlContainer::Image(const std::string& src, const char* baseUrl) {
    const std::string base = baseUrl != nullptr && *baseUrl != 0 ? baseUrl : documentUrl_;
    const std::string url = ResolveUrl(base, src);
    auto found = images_.find(url);
    if (found != images_.end()) return found->second.get();
    std::unique_ptr<graphics::TPicture>& slot = images_[url];
    // Only pages that are local files themselves may show local images.
    std::string path = documentUrl_.compare(0, 7, "file://") == 0 ? LocalPathOf(url) : "";
    std::error_code error;
    if (path.empty() || !IsStillPictureFile(path) ||
        !std::filesystem::is_regular_file(path, error) ||
        std::filesystem::file_size(path, error) > kMaxImageBytes || error)
        return nullptr;
    try {
        auto picture = std::make_unique<graphics::TPicture>();
        picture->LoadFile(path);
        if (picture->Graphic() != nullptr && picture->Width() > 0 && picture->Height() > 0)
            slot = std::move(picture);
    } catch (const std::exception&) {
        // A broken or unknown picture is left out, as the browser leaves it out.
    }
    return slot.get();
}

void THtmlContainer::load_image(const litehtml::tchar_t* src, const litehtml::tchar_t* baseUrl,
                                bool) {
    if (src != nullptr) Image(src, baseUrl);
}

void THtmlContainer::get_image_size(const litehtml::tchar_t* src, const litehtml::tchar_t* baseUrl,
                                    litehtml::size& size) {
    graphics::TPicture* picture = src != nullptr ? Image(src, baseUrl) : nullptr;
    size.width = picture != nullptr ? picture->Width() : 0;
    size.height = picture != nullptr ? picture->Height() : 0;
}

void THtmlContainer::draw_background(litehtml::uint_ptr hdc, const litehtml::background_paint& bg) {
    if (hdc == 0) return;
    HDC dc = AsDc(hdc);
    const Edges box = EdgesOf(bg.clip_box);
    Clipped(dc, [&] { FillBox(dc, box.left, box.top, box.right, box.bottom, bg.color); });
    graphics::TPicture* picture = bg.image.empty() ? nullptr : Image(bg.image, bg.baseurl.c_str());
    if (picture == nullptr || bg.image_size.width <= 0 || bg.image_size.height <= 0) return;
    // Drawn once at its place and size, inside the box; background repetition is not done.
    Clipped(dc, [&] {
        IntersectClipRect(dc, ClampCoordinate(box.left), ClampCoordinate(box.top),
                          ClampCoordinate(box.right), ClampCoordinate(box.bottom));
        // The engine gives the image's place in strip coordinates.
        const int left = bg.position_x;
        const int top = bg.position_y;
        graphics::TCanvas canvas;
        canvas.SetHandle(dc);
        canvas.DrawGraphic(
            graphics::Rect(left, top, ClampCoordinate(int64_t(left) + bg.image_size.width),
                           ClampCoordinate(int64_t(top) + bg.image_size.height)),
            picture->Graphic());
        canvas.SetHandle(nullptr);
    });
}

void THtmlContainer::draw_borders(litehtml::uint_ptr hdc, const litehtml::borders& borders,
                                  const litehtml::position& drawPos, bool) {
    if (hdc == 0) return;
    HDC dc = AsDc(hdc);
    auto visible = [](const litehtml::border& b) {
        return b.width > 0 && b.style != litehtml::border_style_none &&
               b.style != litehtml::border_style_hidden;
    };
    // Sunken and raised borders: the lit sides lighter, the shaded sides darker.
    auto sideColor = [](const litehtml::border& b, bool topOrLeft) {
        bool dark =
            (b.style == litehtml::border_style_inset || b.style == litehtml::border_style_groove)
                ? topOrLeft
            : (b.style == litehtml::border_style_outset || b.style == litehtml::border_style_ridge)
                ? !topOrLeft
                : false;
        bool shaded = b.style >= litehtml::border_style_groove;
        return shaded ? Shade(b.color, dark ? 50 : 150) : b.color;
    };
    // Plain copies: clang 14 cannot capture structured bindings in the lambda below.
    const Edges edges = EdgesOf(drawPos);
    const int64_t l = edges.left, t = edges.top, r = edges.right, bt = edges.bottom;
    Clipped(dc, [&] {
        if (visible(borders.top))
            FillBox(dc, l, t, r, t + borders.top.width, sideColor(borders.top, true));
        if (visible(borders.bottom))
            FillBox(dc, l, bt - borders.bottom.width, r, bt, sideColor(borders.bottom, false));
        if (visible(borders.left))
            FillBox(dc, l, t, l + borders.left.width, bt, sideColor(borders.left, true));
        if (visible(borders.right))
            FillBox(dc, r - borders.right.width, t, r, bt, sideColor(borders.right, false));
    });
}

void THtmlContainer::set_caption(const litehtml::tchar_t* caption) {
    title_ = caption != nullptr ? caption : "";
}

void THtmlContainer::set_base_url(const litehtml::tchar_t*) {}
void THtmlContainer::link(const std::shared_ptr<litehtml::document>&,
                          const litehtml::element::ptr&) {}
void THtmlContainer::on_anchor_click(const litehtml::tchar_t* url, const litehtml::element::ptr&) {
    if (url != nullptr && OnAnchorClick) OnAnchorClick(url);
}
void THtmlContainer::set_cursor(const litehtml::tchar_t*) {}

void THtmlContainer::transform_text(litehtml::tstring& text, litehtml::text_transform tt) {
    // ASCII letters only: enough for the banner's Latin captions, harmless for Chinese text.
    if (tt == litehtml::text_transform_uppercase)
        for (char& c : text) c = (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
    else if (tt == litehtml::text_transform_lowercase)
        for (char& c : text) c = (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

// External style sheets are not fetched: the banner page carries its styles inline.
void THtmlContainer::import_css(litehtml::tstring& text, const litehtml::tstring&,
                                litehtml::tstring&) {
    text.clear();
}

void THtmlContainer::set_clip(const litehtml::position& pos, const litehtml::border_radiuses&,
                              bool validX, bool validY) {
    litehtml::position clip = pos;
    if (!validX) {
        clip.x = -100000;
        clip.width = 200000;
    }
    if (!validY) {
        clip.y = -100000;
        clip.height = 200000;
    }
    // A nested clip never reaches outside the one it sits in.
    if (!clips_.empty()) {
        const Edges inner = EdgesOf(clip), outer = EdgesOf(clips_.back());
        int64_t left = std::max(inner.left, outer.left), top = std::max(inner.top, outer.top);
        int64_t right = std::min(inner.right, outer.right),
                bottom = std::min(inner.bottom, outer.bottom);
        clip = litehtml::position(ClampCoordinate(left), ClampCoordinate(top),
                                  ClampCoordinate(std::max<int64_t>(0, right - left)),
                                  ClampCoordinate(std::max<int64_t>(0, bottom - top)));
    }
    clips_.push_back(clip);
}

void THtmlContainer::del_clip() {
    if (!clips_.empty()) clips_.pop_back();
}

void THtmlContainer::get_client_rect(litehtml::position& client) const {
    client = litehtml::position(0, 0, width_, height_);
}

std::shared_ptr<litehtml::element> THtmlContainer::create_element(
    const litehtml::tchar_t*, const litehtml::string_map&,
    const std::shared_ptr<litehtml::document>&) {
    return nullptr;
}

void THtmlContainer::get_media_features(litehtml::media_features& media) const {
    media.type = litehtml::media_type_screen;
    media.width = width_;
    media.height = height_;
    media.device_width = GetSystemMetrics(SM_CXSCREEN);
    media.device_height = GetSystemMetrics(SM_CYSCREEN);
    media.color = 8;
    media.monochrome = 0;
    media.color_index = 256;
    media.resolution = 96;
}

void THtmlContainer::get_language(litehtml::tstring& language, litehtml::tstring& culture) const {
    language = "zh";
    culture = "CN";
}

}  // namespace banner
