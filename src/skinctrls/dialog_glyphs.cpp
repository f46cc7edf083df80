#include "skinctrls/dialog_glyphs.h"

#include <cstdlib>
#include <functional>

#include "graphics/canvas.h"

namespace skinctrls {

namespace {

using Painter = std::function<graphics::TColor(int x, int y)>;

constexpr graphics::TColor kInk = 0x603000;     // dark blue (BGR order)
constexpr graphics::TColor kFolder = 0x30C8F0;  // folder yellow
constexpr graphics::TColor kFolderEdge = 0x106090;
constexpr graphics::TColor kSpark = 0x2020D0;

// A left-pointing arrow: a head at the left and a shaft to the right.
graphics::TColor Back(int x, int y) {
    const bool head = x >= 2 && x <= 8 && std::abs(y - 8) <= x - 2;
    const bool shaft = x > 8 && x <= 13 && y >= 6 && y <= 10;
    return head || shaft ? kInk : kDialogGlyphGround;
}

// A folder with an arrow bending upwards over it.
graphics::TColor Up(int x, int y) {
    const bool arrowHead = y >= 1 && y <= 5 && std::abs(x - 11) <= y - 1;
    const bool arrowShaft = x >= 10 && x <= 12 && y > 5 && y <= 9;
    if (arrowHead || arrowShaft) return kInk;
    if (y >= 7 && y <= 14 && x >= 1 && x <= 9) {
        const bool edge = y == 7 || y == 14 || x == 1 || x == 9;
        return edge ? kFolderEdge : kFolder;
    }
    if (y == 6 && x >= 1 && x <= 4) return kFolderEdge;
    return kDialogGlyphGround;
}

// A folder with a small star at its upper right corner.
graphics::TColor NewFolder(int x, int y) {
    const bool star = (x == 12 && y >= 1 && y <= 7) || (y == 4 && x >= 9 && x <= 15) ||
                      (std::abs(x - 12) == std::abs(y - 4) && std::abs(x - 12) <= 2);
    if (star) return kSpark;
    if (y >= 7 && y <= 14 && x >= 0 && x <= 11) {
        const bool edge = y == 7 || y == 14 || x == 0 || x == 11;
        return edge ? kFolderEdge : kFolder;
    }
    if (y == 6 && x >= 0 && x <= 4) return kFolderEdge;
    return kDialogGlyphGround;
}

// Four small squares with lines beside them: the list views.
graphics::TColor ViewStyle(int x, int y) {
    const int row = y / 4;
    const int inRow = y % 4;
    if (y < 1 || y > 15 || inRow == 3) return kDialogGlyphGround;
    if (x >= 1 && x <= 3 && inRow <= 2) return row % 2 == 0 ? kInk : kFolderEdge;
    if (x >= 5 && x <= 14 && inRow == 1) return kInk;
    return kDialogGlyphGround;
}

Painter PainterFor(const std::string& name) {
    if (name == "BS_BACK") return Back;
    if (name == "BS_UP") return Up;
    if (name == "BS_NEWFOLDER") return NewFolder;
    if (name == "BS_LVSTYLE") return ViewStyle;
    return nullptr;
}

}  // namespace

bool LoadDialogGlyph(const std::string& resourceName, graphics::TBitmap& glyph) {
    Painter painter = PainterFor(resourceName);
    if (!painter) return false;
    glyph.SetWidth(kDialogGlyphSize);
    glyph.SetHeight(kDialogGlyphSize);
    for (int y = 0; y < kDialogGlyphSize; ++y)
        for (int x = 0; x < kDialogGlyphSize; ++x) glyph.Canvas().WritePixel(x, y, painter(x, y));
    return true;
}

}  // namespace skinctrls
