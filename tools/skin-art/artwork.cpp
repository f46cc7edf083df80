#include "artwork.h"

#include <stdexcept>

namespace art {

namespace {

// The light blue look: the skin's button face, highlight and shadow colours and their kin.
constexpr Rgb kInk = 0x1F3F6F;
constexpr Rgb kBorderDark = 0x4F7FBF;
constexpr Rgb kBorder = 0x7AA7D9;
constexpr Rgb kBorderSoft = 0x8DB2E3;
constexpr Rgb kBorderLight = 0xA9C8EE;
constexpr Rgb kCaptionTop = 0xF2F8FF;
constexpr Rgb kCaptionBottom = 0xB9D4F3;
constexpr Rgb kClient = 0xF3F7FC;
constexpr Rgb kWhite = 0xFFFFFF;
constexpr Rgb kHighlight = 0x508FD0;
constexpr Rgb kShadow = 0xAABFDB;
constexpr Rgb kControlsBack = 0xF0F5FC;
constexpr Rgb kMaskOut = 0xFFFFFF;
constexpr Rgb kMaskIn = 0x000000;

enum class State { Normal, Hot, Down, Disabled, Flat };

void ButtonFace(Canvas& c, const Box& r, State s) {
    switch (s) {
        case State::Normal:
            c.RoundBox(r, 2, 0xFFFFFF, 0xD9E8F9, kBorderSoft);
            break;
        case State::Hot:
            c.RoundBox(r, 2, 0xF4FAFF, 0xC2DCF8, 0x5B8CC8);
            break;
        case State::Down:
            c.RoundBox(r, 2, 0xBCD5F1, 0xDDEBFA, kBorderDark);
            break;
        case State::Disabled:
            c.RoundBox(r, 2, 0xF6F7F9, 0xE6EAEF, 0xC3CCD6);
            break;
        case State::Flat:
            c.VerticalGradient(r, 0xF7FAFF, 0xDCE9F8);
            break;
    }
}

// The caption strip's colour on row y: a glossy upper half over a deeper lower half. The
// caption buttons use it too, so their cut corners show the strip behind them.
Rgb CaptionAt(int y) {
    return y < 12 ? Mix(kCaptionTop, 0xDCEBFC, y / 11.0)
                  : Mix(0xCFE2F8, kCaptionBottom, (y - 12) / 14.0);
}

// ---- frame and mask ----

bool CornerCut(int x, int y, int w, int h) {
    auto cut = [](int dx, int dy) {
        return (dy == 0 && dx < 4) || (dy == 1 && dx < 2) || (dy <= 3 && dx < 1);
    };
    auto cutBottom = [](int dx, int dy) { return dy == 0 && dx < 1; };
    int rx = w - 1 - x, by = h - 1 - y;
    return cut(x, y) || cut(rx, y) || cutBottom(x, by) || cutBottom(rx, by);
}

Canvas DrawFrame(const SkinIni& ini, int w, int h) {
    Canvas c(w, h, kClient);
    Box client = ini.Rect("FORMINFO", "clientrect");
    for (int y = 0; y < client.top; ++y) c.HLine(0, w, y, CaptionAt(y));
    // Side and bottom borders.
    for (int x = 0; x < client.left; ++x)
        c.VLine(x, client.top, h, Mix(kCaptionBottom, 0xD6E6F9, x / 3.0));
    for (int x = client.right; x < w; ++x)
        c.VLine(x, client.top, h, Mix(0xD6E6F9, kCaptionBottom, (x - client.right) / 3.0));
    for (int y = client.bottom; y < h; ++y)
        c.HLine(client.left, client.right, y,
                Mix(0xD6E6F9, kCaptionBottom, (y - client.bottom) / 3.0));
    c.Frame(Box{0, 0, w, h}, kBorderDark);
    c.HLine(1, w - 1, 1, kWhite);
    c.Frame(Box{client.left - 1, client.top - 1, client.right + 1, client.bottom + 1},
            kBorderLight);
    c.Fill(client, kClient);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (CornerCut(x, y, w, h)) c.Set(x, y, kWhite);
    return c;
}

Canvas DrawMaskOf(int w, int h) {
    Canvas c(w, h, kMaskIn);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (CornerCut(x, y, w, h)) c.Set(x, y, kMaskOut);
    return c;
}

Canvas SmallRoundMask(int w, int h) {
    Canvas c(w, h, kMaskIn);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int dx = std::min(x, w - 1 - x), dy = std::min(y, h - 1 - y);
            if (dx + dy < 2) c.Set(x, y, kMaskOut);
        }
    return c;
}

// ---- caption buttons ----

void CaptionGlyph(Canvas& c, const Box& r, const std::string& command, bool restore, Rgb ink) {
    Box g = r.Inset(6);
    if (command == "cmclose") {
        c.Cross(r, 9, ink);
    } else if (command == "cmmaximize" && !restore) {
        c.Frame(g, ink);
        c.HLine(g.left, g.right, g.top + 1, ink);
    } else if (command == "cmmaximize" || (command == "cmminimize" && restore)) {
        Box back{g.left + 2, g.top, g.right, g.bottom - 2},
            front{g.left, g.top + 2, g.right - 2, g.bottom};
        c.Frame(back, ink);
        c.Fill(front.Inset(1), c.Get(front.left + 1, front.top + 1) == ink
                                   ? kWhite
                                   : c.Get(r.left + 10, r.top + 14));
        c.Frame(front, ink);
        c.HLine(front.left, front.right, front.top + 1, ink);
    } else if (command == "cmminimize") {
        c.Fill(Box{g.left, g.bottom - 2, g.right, g.bottom}, ink);
    } else if (command == "cmrollup") {
        c.Arrow(r, restore ? 'd' : 'u', 5, ink);
    } else if (command == "cmsysmenu") {
        c.RoundBox(r.Inset(5), 1, 0x7FB2EA, 0x3F78C0, kBorderDark);
        c.Fill(Box{r.left + 8, r.top + 8, r.left + 13, r.top + 13}, kWhite);
    } else if (command == "cmminimizetotray") {
        c.Fill(Box{g.right - 4, g.bottom - 4, g.right, g.bottom}, ink);
        c.Line(g.left, g.top, g.right - 4, g.bottom - 4, ink);
    }
}

void CaptionButton(Canvas& c, const Box& r, State s, const std::string& command, bool restore) {
    if (r.Empty()) return;
    for (int y = r.top; y < r.bottom; ++y) c.HLine(r.left, r.right, y, CaptionAt(5 + (y - r.top)));
    bool close = command == "cmclose";
    Rgb ink = kInk;
    if (s == State::Hot) {
        if (close)
            c.RoundBox(r, 2, 0xF08A7E, 0xD64A3C, 0xA8352A);
        else
            c.RoundBox(r, 2, 0xFFFFFF, 0xB3D2F7, 0x4A80C8);
        if (close) ink = kWhite;
    } else if (s == State::Down) {
        if (close)
            c.RoundBox(r, 2, 0xC03A2E, 0xE06A5E, 0x8E2A20);
        else
            c.RoundBox(r, 2, 0xA9C8EE, 0xD3E5FA, kBorderDark);
        if (close) ink = kWhite;
    } else {
        c.RoundBox(r, 2, 0xFAFCFF, 0xD6E7FA, kBorder);
    }
    CaptionGlyph(c, r, command, restore, ink);
}

Canvas DrawActive(const SkinIni& ini, int w, int h) {
    Canvas c(w, h, kCaptionBottom);
    for (int y = 0; y < h; ++y) c.HLine(0, w, y, CaptionAt(5 + y % 22));
    for (const auto& [name, type] : ini.Catalogue("SKINOBJECTS")) {
        if (type != "stdbutton" && type != "mainmenubarbutton") continue;
        if (ini.Int(name, "activepictureindex", -1) != 0) continue;
        std::string command = ini.Text(name, "command");
        CaptionButton(c, ini.Rect(name, "skinrect"), State::Normal, command, false);
        CaptionButton(c, ini.Rect(name, "activeskinrect"), State::Hot, command, false);
        CaptionButton(c, ini.Rect(name, "downrect"), State::Down, command, false);
        CaptionButton(c, ini.Rect(name, "restorerect"), State::Normal, command, true);
        CaptionButton(c, ini.Rect(name, "restoreactiverect"), State::Hot, command, true);
        CaptionButton(c, ini.Rect(name, "restoredownrect"), State::Down, command, true);
    }
    return c;
}

// ---- popup, hint, menu items, MDI background ----

Canvas DrawPopup(const SkinIni& ini, int w, int h) {
    Canvas c(w, h, kWhite);
    c.RoundBox(Box{0, 0, w, h}, 2, kWhite, kWhite, kBorder);
    c.Frame(Box{1, 1, w - 1, h - 1}.Inset(0), 0xE4EEFA);
    c.Fill(ini.Rect("POPUPWINDOW", "itemsrect"), kWhite);
    return c;
}

Canvas DrawHint(int w, int h) {
    Canvas c(w, h, kWhite);
    c.RoundBox(Box{0, 0, w, h}, 2, kWhite, 0xE9F2FC, kBorder);
    return c;
}

void MenuRowBase(Canvas& c, const Box& r) {
    c.Fill(r, kWhite);
    c.Fill(Box{r.left, r.top, r.left + 24, r.bottom}, 0xE8F1FC);
    c.VLine(r.left + 24, r.top, r.bottom, 0xD0E1F5);
}

Canvas DrawMenuItems(const SkinIni& ini, int w, int h) {
    Canvas c(w, h, kWhite);
    const std::string item = "menuitem";
    MenuRowBase(c, ini.Rect(item, "skinrect"));
    Box active = ini.Rect(item, "activeskinrect");
    MenuRowBase(c, active);
    c.RoundBox(Box{active.left + 1, active.top + 1, active.right - 1, active.bottom - 1}, 2,
               0xEEF6FF, 0xC9DFF8, kBorder);
    Box divider = ini.Rect(item, "dividerrect");
    MenuRowBase(c, divider);
    c.HLine(divider.left + 27, divider.right - 2, divider.top + 1, 0xB7CDE8);
    c.Check(ini.Rect(item, "checkimagerect"), kInk);
    c.Check(ini.Rect(item, "activecheckimagerect"), kBorderDark);
    c.Dot(ini.Rect(item, "radioimagerect"), 3, kInk);
    c.Dot(ini.Rect(item, "activeradioimagerect"), 3, kBorderDark);
    c.Arrow(ini.Rect(item, "arrowimagerect"), 'r', 4, kInk);
    c.Arrow(ini.Rect(item, "activearrowimagerect"), 'r', 4, kBorderDark);
    const std::string bar = "mainmenubaritem";
    c.Fill(ini.Rect(bar, "skinrect"), 0xEEF4FC);
    Box hot = ini.Rect(bar, "activeskinrect");
    c.Fill(hot, 0xEEF4FC);
    c.RoundBox(hot, 2, 0xFFFFFF, 0xCFE3FA, kBorder);
    Box down = ini.Rect(bar, "downrect");
    c.Fill(down, 0xEEF4FC);
    c.RoundBox(down, 2, 0xBCD5F1, 0xDDEBFA, kBorderDark);
    return c;
}

Canvas DrawMdiBackground(int w, int h) {
    Canvas c(w, h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) c.Set(x, y, ((x + y) / 6) % 2 ? 0xEDF3FB : 0xE4EDF9);
    return c;
}

// ---- controls ----

Box Rel(const SkinIni& ini, const std::string& name, const std::string& key) {
    Box skin = ini.Rect(name, "skinrect");
    Box r = ini.Rect(name, key);
    return r.Empty() ? r : r.Offset(skin.left, skin.top);
}

void Buttons(Canvas& c, const SkinIni& ini, const std::string& name, const std::string& type) {
    bool flat =
        name.find("toolbutton") != std::string::npos || name.find("toolmenu") != std::string::npos;
    Box normal = ini.Rect(name, "skinrect");
    ButtonFace(c, normal, flat ? State::Flat : State::Normal);
    ButtonFace(c, ini.Rect(name, "activeskinrect"), State::Hot);
    ButtonFace(c, ini.Rect(name, "downskinrect"), State::Down);
    ButtonFace(c, ini.Rect(name, "disabledskinrect"), State::Disabled);
    if (name == "combobutton") {
        for (const char* key : {"skinrect", "activeskinrect", "downskinrect"})
            c.Arrow(ini.Rect(name, key), 'd', 4, kInk);
    }
    if (type == "menubutton") {
        for (const char* key : {"menumarkerflatrect", "menumarkerrect"}) {
            Box m = ini.Rect(name, key);
            c.Fill(m, kControlsBack);
            c.Arrow(m, 'd', 4, kInk);
        }
    }
}

void Panel(Canvas& c, const SkinIni& ini, const std::string& name) {
    Box r = ini.Rect(name, "skinrect");
    Box caption = Rel(ini, name, "captionrect");
    if (name == "panel" || name == "scrollbox") {
        // One plain fill inside the frame: the scroll box tiles everything but the outer
        // ring, the panel everything but two rings.
        c.Fill(r, 0xF5F9FE);
        c.Frame(r, 0xA9C3E3);
    } else if (!caption.Empty()) {
        c.Fill(r, kControlsBack);
        // Only the outermost corner pixels are cut: the tiled client piece starts one pixel in.
        c.RoundBox(r, 1, 0xF7FAFE, 0xF7FAFE, 0x9DBCE5);
        c.VerticalGradient(caption, 0xEDF4FD, 0xD3E4F8);
        c.HLine(caption.left, caption.right, caption.bottom, 0xB3CDEC);
    } else {
        c.VerticalGradient(r, 0xF7FAFF, 0xD8E6F7);
        c.HLine(r.left, r.right, r.top, kWhite);
        c.HLine(r.left, r.right, r.bottom - 1, 0xA9C3E3);
    }
}

void Field(Canvas& c, const Box& r, bool active) {
    c.Fill(r, kWhite);
    c.Frame(r, active ? kHighlight : kBorderSoft);
    if (active) c.Frame(r.Inset(1), 0xDCEBFB);
}

void Edit(Canvas& c, const SkinIni& ini, const std::string& name) {
    Field(c, ini.Rect(name, "skinrect"), false);
    Field(c, ini.Rect(name, "activeskinrect"), true);
    Box button = Rel(ini, name, "buttonrect");
    if (button.Empty()) return;
    Box active = ini.Rect(name, "activeskinrect");
    Box skin = ini.Rect(name, "skinrect");
    const std::pair<Box, State> faces[] = {
        {button, State::Normal},
        {button.Offset(active.left - skin.left, active.top - skin.top), State::Normal},
        {ini.Rect(name, "activebuttonrect"), State::Hot},
        {ini.Rect(name, "downbuttonrect"), State::Down},
        {ini.Rect(name, "unenabledbuttonrect"), State::Disabled}};
    for (const auto& [box, state] : faces) {
        ButtonFace(c, box, state);
        for (int i = 0; i < 3; ++i)
            c.Set(box.left + box.Width() / 2 - 3 + 3 * i, box.bottom - 5,
                  state == State::Disabled ? kShadow : kInk);
    }
}

void Spin(Canvas& c, const Box& r) {
    Field(c, r, false);
    Box up{r.right - 15, r.top + 2, r.right - 2, r.top + r.Height() / 2};
    Box down{r.right - 15, r.top + r.Height() / 2, r.right - 2, r.bottom - 2};
    ButtonFace(c, up, State::Normal);
    ButtonFace(c, down, State::Normal);
    c.Arrow(up, 'u', 3, kInk);
    c.Arrow(down, 'd', 3, kInk);
}

void Combo(Canvas& c, const SkinIni& ini, const std::string& name) {
    Box skin = ini.Rect(name, "skinrect"), active = ini.Rect(name, "activeskinrect");
    Box button = Rel(ini, name, "buttonrect");
    Field(c, skin, false);
    Field(c, active, true);
    ButtonFace(c, button, State::Normal);
    c.Arrow(button, 'd', 4, kInk);
    Box activeButton = button.Offset(active.left - skin.left, active.top - skin.top);
    ButtonFace(c, activeButton, State::Hot);
    c.Arrow(activeButton, 'd', 4, kInk);
    const std::pair<const char*, State> images[] = {{"activebuttonrect", State::Hot},
                                                    {"downbuttonrect", State::Down},
                                                    {"unenabledbuttonrect", State::Disabled}};
    for (const auto& [key, state] : images) {
        Box b = ini.Rect(name, key);
        ButtonFace(c, b, state);
        c.Arrow(b, 'd', 4, state == State::Disabled ? kShadow : kInk);
    }
    c.Fill(ini.Rect(name, "itemrect"), kWhite);
    c.Fill(ini.Rect(name, "activeitemrect"), 0xDDEBFB);
    c.VerticalGradient(ini.Rect(name, "focusitemrect"), 0x6FA3DC, kHighlight);
}

void ListBox(Canvas& c, const SkinIni& ini, const std::string& name) {
    Field(c, ini.Rect(name, "skinrect"), false);
    c.Fill(ini.Rect(name, "itemrect"), kWhite);
    c.VerticalGradient(ini.Rect(name, "activeitemrect"), 0x6FA3DC, kHighlight);
    Box focus = ini.Rect(name, "focusitemrect");
    c.VerticalGradient(focus, 0x6FA3DC, kHighlight);
    Box dotted = focus.Inset(1);
    for (int x = dotted.left; x < dotted.right; x += 2) {
        c.Set(x, dotted.top, kWhite);
        c.Set(x, dotted.bottom - 1, kWhite);
    }
    for (int y = dotted.top; y < dotted.bottom; y += 2) {
        c.Set(dotted.left, y, kWhite);
        c.Set(dotted.right - 1, y, kWhite);
    }
}

void Thumb(Canvas& c, const Box& r, State s, bool horizontal) {
    ButtonFace(c, r, s);
    int cx = r.left + r.Width() / 2, cy = r.top + r.Height() / 2;
    for (int i = -2; i <= 2; i += 2) {
        if (horizontal)
            c.VLine(cx + i, cy - 3, cy + 4, kBorderDark);
        else
            c.HLine(cx - 3, cx + 4, cy + i, kBorderDark);
    }
}

void ScrollBar(Canvas& c, const SkinIni& ini, const std::string& name) {
    Box skin = ini.Rect(name, "skinrect");
    bool horizontal = skin.Width() > skin.Height();
    c.Fill(skin, 0xEEF3FA);
    c.Frame(skin, 0xD5E2F2);
    char toMin = horizontal ? 'l' : 'u', toMax = horizontal ? 'r' : 'd';
    Box down = Rel(ini, name, "downbuttonrect"), up = Rel(ini, name, "upbuttonrect");
    ButtonFace(c, down, State::Normal);
    c.Arrow(down, toMin, 4, kInk);
    ButtonFace(c, up, State::Normal);
    c.Arrow(up, toMax, 4, kInk);
    const std::tuple<const char*, State, char> images[] = {
        {"activeupbuttonrect", State::Hot, toMax},
        {"downupbuttonrect", State::Down, toMax},
        {"activedownbuttonrect", State::Hot, toMin},
        {"downdownbuttonrect", State::Down, toMin}};
    for (const auto& [key, state, dir] : images) {
        Box b = ini.Rect(name, key);
        ButtonFace(c, b, state);
        c.Arrow(b, dir, 4, kInk);
    }
    Thumb(c, ini.Rect(name, "thumbrect"), State::Normal, horizontal);
    Thumb(c, ini.Rect(name, "activethumbrect"), State::Hot, horizontal);
    Thumb(c, ini.Rect(name, "downthumbrect"), State::Down, horizontal);
}

void CheckRadio(Canvas& c, const Box& r, bool radio) {
    c.Fill(r, kControlsBack);
    Box box{r.left + 1, r.top + 1, r.left + 15, r.top + 15};
    if (radio) {
        c.Dot(box, 6, kBorderSoft);
        c.Dot(box, 5, kWhite);
        c.Dot(box, 2, kInk);
    } else {
        Field(c, box, false);
        c.Check(box, kInk);
    }
}

void Gauge(Canvas& c, const Box& r) {
    Field(c, r, false);
    Box bar = r.Inset(2);
    if (r.Width() > r.Height())
        bar.right = bar.left + bar.Width() * 3 / 5;
    else
        bar.top = bar.bottom - bar.Height() * 3 / 5;
    if (r.Width() > r.Height())
        c.VerticalGradient(bar, 0x8DBDF0, kHighlight);
    else
        c.HorizontalGradient(bar, 0x8DBDF0, kHighlight);
}

void TrackBar(Canvas& c, const Box& r) {
    c.Fill(r, kControlsBack);
    bool horizontal = r.Width() > r.Height();
    int mid = horizontal ? r.top + r.Height() / 2 : r.left + r.Width() / 2;
    if (horizontal)
        c.Fill(Box{r.left + 4, mid - 1, r.right - 4, mid + 2}, kShadow);
    else
        c.Fill(Box{mid - 1, r.top + 4, mid + 2, r.bottom - 4}, kShadow);
    Box thumb = horizontal ? Box{r.left + 20, r.top + 3, r.left + 30, r.bottom - 3}
                           : Box{r.left + 3, r.top + 20, r.right - 3, r.top + 30};
    ButtonFace(c, thumb, State::Normal);
}

void UpDown(Canvas& c, const Box& r) {
    bool vertical = r.Height() > r.Width();
    Box a = vertical ? Box{r.left, r.top, r.right, r.top + r.Height() / 2}
                     : Box{r.left, r.top, r.left + r.Width() / 2, r.bottom};
    Box b = vertical ? Box{r.left, a.bottom, r.right, r.bottom}
                     : Box{a.right, r.top, r.right, r.bottom};
    ButtonFace(c, a, State::Normal);
    ButtonFace(c, b, State::Normal);
    c.Arrow(a, vertical ? 'u' : 'l', 3, kInk);
    c.Arrow(b, vertical ? 'd' : 'r', 3, kInk);
}

void Plain(Canvas& c, const SkinIni& ini, const std::string& name, const std::string& type) {
    Box r = ini.Rect(name, "skinrect");
    if (r.Empty()) return;
    if (type == "checkradio") {
        CheckRadio(c, r, name == "radiobox");
    } else if (type == "gauge") {
        Gauge(c, r);
    } else if (type == "trackbar" || type == "slider") {
        TrackBar(c, r);
    } else if (type == "tab") {
        c.Fill(r, kControlsBack);
        Box page{r.left, r.top + 18, r.right, r.bottom};
        c.Fill(page, 0xF7FAFE);
        c.Frame(page, 0x9DBCE5);
        c.RoundBox(Box{r.left + 2, r.top, r.left + 36, r.top + 20}, 2, 0xFFFFFF, 0xF7FAFE,
                   0x9DBCE5);
    } else if (type == "splitter") {
        c.Fill(r, 0xE6EFFA);
        int cx = r.left + r.Width() / 2, cy = r.top + r.Height() / 2;
        for (int i = -6; i <= 6; i += 3) {
            if (r.Height() > r.Width())
                c.Set(cx, cy + i, kBorderDark);
            else
                c.Set(cx + i, cy, kBorderDark);
        }
    } else if (type == "bevel") {
        c.Fill(r, kControlsBack);
        c.Frame(r, kShadow);
        c.Frame(r.Inset(1), kWhite);
    } else if (type == "updown") {
        UpDown(c, r);
    } else if (type == "label") {
        c.Fill(r, 0xEEF4FB);
        c.Frame(r, 0xB9CDE6);
    } else if (type == "expanel") {
        c.Fill(r, kControlsBack);
        // Only the outermost corner pixels are cut: the tiled client piece starts one pixel in.
        c.RoundBox(r, 1, 0xF7FAFE, 0xF7FAFE, 0x9DBCE5);
        c.VerticalGradient(Box{r.left + 1, r.top + 1, r.right - 1, r.top + 17}, 0xEDF4FD, 0xD3E4F8);
    } else if (type == "spinedit") {
        Spin(c, r);
    } else if (type == "mainmenubar" || type == "controlbar") {
        c.VerticalGradient(r, 0xF7FAFF, 0xDCE9F8);
        c.HLine(r.left, r.right, r.bottom - 1, 0xA9C3E3);
    } else {
        Field(c, r, false);  // memo, rich edit, tree view, grid, check list box
    }
}

Canvas DrawControls(const SkinIni& ini, int w, int h) {
    Canvas c(w, h, kControlsBack);
    for (const auto& [name, type] : ini.Catalogue("SKINCONTROLS")) {
        if (ini.Int(name, "pictureindex", -1) != 4) continue;
        if (type == "button" || type == "menubutton")
            Buttons(c, ini, name, type);
        else if (type == "panel" || type == "scrollbox")
            Panel(c, ini, name);
        else if (type == "edit")
            Edit(c, ini, name);
        else if (type == "combobox")
            Combo(c, ini, name);
        else if (type == "listbox")
            ListBox(c, ini, name);
        else if (type == "scrollbar")
            ScrollBar(c, ini, name);
        else if (type == "listview")
            continue;  // shares the list box frame
        else
            Plain(c, ini, name, type);
    }
    return c;
}

struct Size {
    int w, h, bits;
};

// The picture sizes and formats the program's skin is built with.
const std::map<std::string, Size>& Sizes() {
    static const std::map<std::string, Size> sizes = {
        {"main.bmp", {285, 210, 24}},     {"mask.bmp", {285, 210, 8}},
        {"active.bmp", {75, 263, 24}},    {"hintwindow.bmp", {28, 21, 24}},
        {"pw.bmp", {93, 55, 24}},         {"menuitems.bmp", {132, 126, 24}},
        {"controls.bmp", {556, 410, 24}}, {"mdibg.bmp", {219, 178, 24}},
        {"pwmask.bmp", {93, 55, 4}},      {"hintwindowmask.bmp", {28, 21, 1}}};
    return sizes;
}

}  // namespace

std::map<std::string, Picture> DrawSkin(const SkinIni& ini) {
    std::map<std::string, Picture> out;
    auto size = [](const std::string& name) {
        auto it = Sizes().find(name);
        if (it == Sizes().end()) throw std::runtime_error("no artwork for " + name);
        return it->second;
    };
    auto add = [&](const std::string& name, Canvas canvas) {
        out.emplace(name, Picture{std::move(canvas), size(name).bits});
    };
    Size main = size("main.bmp");
    add("main.bmp", DrawFrame(ini, main.w, main.h));
    add("mask.bmp", DrawMaskOf(main.w, main.h));
    Size s = size("active.bmp");
    add("active.bmp", DrawActive(ini, s.w, s.h));
    s = size("hintwindow.bmp");
    add("hintwindow.bmp", DrawHint(s.w, s.h));
    add("hintwindowmask.bmp", SmallRoundMask(s.w, s.h));
    s = size("pw.bmp");
    add("pw.bmp", DrawPopup(ini, s.w, s.h));
    add("pwmask.bmp", SmallRoundMask(s.w, s.h));
    s = size("menuitems.bmp");
    add("menuitems.bmp", DrawMenuItems(ini, s.w, s.h));
    s = size("controls.bmp");
    add("controls.bmp", DrawControls(ini, s.w, s.h));
    s = size("mdibg.bmp");
    add("mdibg.bmp", DrawMdiBackground(s.w, s.h));
    return out;
}

}  // namespace art
