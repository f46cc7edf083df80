#include "contact_sheet.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace art {

namespace {

constexpr int kScale = 2;
constexpr int kGap = 24;
constexpr Rgb kSkinRect = 0xE0201C;   // where the object's normal image is
constexpr Rgb kStateRect = 0x1C5FE0;  // further images (hot, pressed, items, ...)
constexpr Rgb kInnerRect = 0x10A040;  // rects inside the skin rect (client, caption, track ...)
constexpr Rgb kPoint = 0xD000D0;

struct Placed {
    int x, y;
};

class SheetBuilder {
  public:
    SheetBuilder(const SkinIni& ini, const std::map<std::string, Picture>& pictures)
        : ini_(ini), pictures_(pictures) {}

    Sheet Build() {
        std::vector<std::string> names;
        for (int i = -3; i < ini_.Int("PICTURES", "activepicturescount", 0); ++i) {
            std::string key = i == -3   ? "picture"
                              : i == -2 ? "mask"
                              : i == -1 ? "inactivepicture"
                                        : std::to_string(i);
            std::string file = ini_.Text("PICTURES", key);
            if (!file.empty() && pictures_.count(file)) names.push_back(file);
        }
        // Shelf layout, 1300 pixels wide.
        int x = kGap, y = kGap + 16, shelf = 0, width = 1300;
        for (const std::string& n : names) {
            const Canvas& pic = pictures_.at(n).canvas;
            int w = pic.Width() * kScale, h = pic.Height() * kScale;
            if (x + w + kGap > width) {
                x = kGap;
                y += shelf + kGap + 16;
                shelf = 0;
            }
            placed_[n] = {x, y};
            x += w + kGap;
            shelf = std::max(shelf, h);
        }
        const int previewTop = y + shelf + kGap + 16;
        Canvas preview = Preview(476, 300);
        Sheet sheet{Canvas(width, previewTop + preview.Height() + kGap, 0x808890), ""};
        sheet.canvas.Blit(preview, kGap, previewTop, 1);
        Label(sheet, kGap, previewTop - 14, 0xFFFFFF, "frame preview, 476 x 300");
        for (const auto& [n, at] : placed_) {
            sheet.canvas.Blit(pictures_.at(n).canvas, at.x, at.y, kScale);
            Label(sheet, at.x, at.y - 14, 0xFFFFFF, n);
        }
        Outline(sheet);
        return sheet;
    }

  private:
    // The frame picture composed to a window size: corner pieces in place, edge pieces tiled
    // between the corner points, the client rect tiled over the client area, and the close,
    // maximize and minimize buttons lined up from the right of the caption rect.
    Canvas Preview(int width, int height) const {
        const Canvas& frame = pictures_.at(ini_.Text("PICTURES", "picture")).canvas;
        const int pw = frame.Width(), ph = frame.Height(), dx = width - pw, dy = height - ph;
        auto [ltx, lty] = ini_.Point("FORMINFO", "lefttoppoint");
        auto [rtx, rty] = ini_.Point("FORMINFO", "righttoppoint");
        Box client = ini_.Rect("FORMINFO", "clientrect");
        Canvas out(width, height, 0x808890);
        // Source column for a destination column: corners unscaled, the middle tiled.
        auto sourceX = [&](int x, int left, int right) {
            if (x < left) return x;
            if (x >= right + dx) return x - dx;
            return left + (x - left) % std::max(1, right - left);
        };
        auto sourceY = [&](int y, int top, int bottom) {
            if (y < top) return y;
            if (y >= bottom + dy) return y - dy;
            return top + (y - top) % std::max(1, bottom - top);
        };
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                bool inClient = x >= client.left && x < client.right + dx && y >= client.top &&
                                y < client.bottom + dy;
                int sx = inClient ? client.left + (x - client.left) % client.Width()
                                  : sourceX(x, ltx, rtx);
                int sy = inClient ? client.top + (y - client.top) % client.Height()
                                  : sourceY(y, std::max(lty, rty), client.bottom);
                if (!inClient && y < client.top) sy = y;
                out.Set(x, y,
                        ini_.Text("PICTURES", "mask").empty() ||
                                pictures_.at(ini_.Text("PICTURES", "mask")).canvas.Get(sx, sy) == 0
                            ? frame.Get(sx, sy)
                            : 0x808890);
            }
        const Canvas& active = pictures_.at(PictureOf(0)).canvas;
        Box caption = ini_.Rect("FORMINFO", "captionrect");
        int right = caption.right + dx;
        for (const char* name : {"closebutton", "maxbutton", "minbutton"}) {
            Box src = ini_.Rect(name, "skinrect");
            right -= src.Width();
            for (int y = 0; y < src.Height(); ++y)
                for (int x = 0; x < src.Width(); ++x)
                    out.Set(right + x, caption.top + y, active.Get(src.left + x, src.top + y));
            right -= ini_.Int("FORMINFO", "buttonsoffset", 0);
        }
        return out;
    }

    void Label(Sheet& s, int x, int y, Rgb c, const std::string& text) {
        char line[512];
        std::snprintf(line, sizeof line, "%d %d #%06X %s\n", x, y, c, text.c_str());
        s.labels += line;
    }

    void Rect(Sheet& s, const std::string& picture, const Box& r, Rgb c) {
        if (r.Empty() || !placed_.count(picture)) return;
        Placed at = placed_.at(picture);
        s.canvas.Frame(Box{at.x + r.left * kScale, at.y + r.top * kScale, at.x + r.right * kScale,
                           at.y + r.bottom * kScale},
                       c);
    }

    void Point(Sheet& s, const std::string& picture, std::pair<int, int> p, Box origin = {}) {
        if (p.first == 0 || p.second == 0 || !placed_.count(picture)) return;
        Placed at = placed_.at(picture);
        int x = at.x + (origin.left + p.first) * kScale,
            y = at.y + (origin.top + p.second) * kScale;
        s.canvas.HLine(x - 3, x + 4, y, kPoint);
        s.canvas.VLine(x, y - 3, y + 4, kPoint);
    }

    std::string PictureOf(int index) const {
        return index < 0 ? "" : ini_.Text("PICTURES", std::to_string(index));
    }

    void Named(Sheet& s, const std::string& picture, const Box& r, const std::string& name) {
        if (r.Empty() || !placed_.count(picture) || labelled_.count(picture + name)) return;
        labelled_.insert(picture + name);
        Placed at = placed_.at(picture);
        Label(s, at.x + r.left * kScale + 2, at.y + r.top * kScale + 2, kSkinRect, name);
    }

    void Outline(Sheet& s) {
        std::string frame = ini_.Text("PICTURES", "picture"), mask = ini_.Text("PICTURES", "mask");
        for (const char* key : {"clientrect", "captionrect"})
            Rect(s, frame, ini_.Rect("FORMINFO", key), kInnerRect);
        Rect(s, mask, ini_.Rect("FORMINFO", "maskrectarea"), kInnerRect);
        for (const char* key :
             {"lefttoppoint", "righttoppoint", "leftbottompoint", "rightbottompoint"})
            Point(s, frame, ini_.Point("FORMINFO", key));
        for (const char* key : {"hittestlefttoppoint", "hittestrighttoppoint",
                                "hittestleftbottompoint", "hittestrightbottompoint"})
            Point(s, mask, ini_.Point("FORMINFO", key));
        Named(s, frame, ini_.Rect("FORMINFO", "captionrect"), "captionrect");
        Named(s, frame, ini_.Rect("FORMINFO", "clientrect"), "clientrect");
        for (const char* section : {"POPUPWINDOW", "HINTWINDOW"}) {
            std::string pic = PictureOf(ini_.Int(section, "windowpictureindex", -1));
            Rect(s, pic,
                 ini_.Rect(section,
                           section == std::string("POPUPWINDOW") ? "itemsrect" : "clientrect"),
                 kInnerRect);
            for (const char* key :
                 {"lefttoppoint", "righttoppoint", "leftbottompoint", "rightbottompoint"})
                Point(s, pic, ini_.Point(section, key));
        }
        for (const auto& [name, type] : ini_.Catalogue("SKINOBJECTS")) {
            std::string pic = PictureOf(ini_.Int(name, "activepictureindex", -1));
            if (ini_.Int(name, "skinrectinapicture", 0) != 1) pic = frame;
            Rect(s, pic, ini_.Rect(name, "skinrect"), kSkinRect);
            Named(s, pic, ini_.Rect(name, "skinrect"), name);
            for (const std::string& key : ini_.ini.ReadSection(name)) {
                if (key == "skinrect" || key == "textrect" || key == "imagerect" ||
                    key.find("rect") == std::string::npos)
                    continue;
                Rect(s, pic, ini_.Rect(name, key), kStateRect);
            }
        }
        for (const auto& [name, type] : ini_.Catalogue("SKINCONTROLS")) {
            std::string pic = PictureOf(ini_.Int(name, "pictureindex", -1));
            Box skin = ini_.Rect(name, "skinrect");
            Rect(s, pic, skin, kSkinRect);
            Named(s, pic, skin, name);
            for (const std::string& key : ini_.ini.ReadSection(name)) {
                if (key == "skinrect" ||
                    (key.find("rect") == std::string::npos && key != "trackarea"))
                    continue;
                Box r = ini_.Rect(name, key);
                if (Inner(type, key))
                    Rect(s, pic, r.Offset(skin.left, skin.top), kInnerRect);
                else if (key != "itemtextrect")
                    Rect(s, pic, r, kStateRect);
            }
            for (const char* key :
                 {"lefttoppoint", "righttoppoint", "leftbottompoint", "rightbottompoint"})
                Point(s, pic, ini_.Point(name, key), skin);
        }
    }

    // Keys whose rects lie inside the skin rect rather than elsewhere in the picture.
    static bool Inner(const std::string& type, const std::string& key) {
        if (key == "clientrect" || key == "captionrect" || key == "trackarea") return true;
        if (type == "scrollbar") return key == "upbuttonrect" || key == "downbuttonrect";
        if (type == "edit" || type == "combobox") return key == "buttonrect";
        return false;
    }

    const SkinIni& ini_;
    const std::map<std::string, Picture>& pictures_;
    std::map<std::string, Placed> placed_;
    std::set<std::string> labelled_;
};

}  // namespace

Sheet DrawContactSheet(const SkinIni& ini, const std::map<std::string, Picture>& pictures) {
    return SheetBuilder(ini, pictures).Build();
}

}  // namespace art
