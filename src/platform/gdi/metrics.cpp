// System metrics, system colours, the last-error code and its message text.
//
// Metrics and colours are those of the classic Windows look at 96 pixels per inch; the
// window services set the screen size and work area from the real display.
#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <mutex>
#include <string>

#include "platform/gdi/brush_pen.h"
#include "platform/gdi/gdi.h"

namespace platform {
namespace {

std::atomic<int> gScreenWidth{1024};
std::atomic<int> gScreenHeight{768};
std::mutex gWorkAreaMutex;
RECT gWorkArea{0, 0, 1024, 768};
bool gWorkAreaSet = false;

thread_local DWORD tLastError = 0;

// Classic Windows scheme, indexed by COLOR_*.
constexpr std::array<COLORREF, kSysColorCount> kSysColors = {
    RGB(192, 192, 192),  // COLOR_SCROLLBAR
    RGB(0, 128, 128),    // COLOR_BACKGROUND
    RGB(0, 0, 128),      // COLOR_ACTIVECAPTION
    RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
    RGB(192, 192, 192),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(0, 0, 0),        // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
    RGB(192, 192, 192),  // COLOR_ACTIVEBORDER
    RGB(192, 192, 192),  // COLOR_INACTIVEBORDER
    RGB(128, 128, 128),  // COLOR_APPWORKSPACE
    RGB(0, 0, 128),      // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(192, 192, 192),  // COLOR_BTNFACE
    RGB(128, 128, 128),  // COLOR_BTNSHADOW
    RGB(128, 128, 128),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(192, 192, 192),  // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(0, 0, 0),        // COLOR_3DDKSHADOW
    RGB(192, 192, 192),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
    RGB(180, 180, 180),  // (unused index 25)
    RGB(0, 0, 255),      // COLOR_HOTLIGHT
    RGB(16, 132, 208),   // COLOR_GRADIENTACTIVECAPTION
    RGB(181, 181, 181),  // COLOR_GRADIENTINACTIVECAPTION
    RGB(0, 0, 128),      // COLOR_MENUHILIGHT
    RGB(192, 192, 192),  // COLOR_MENUBAR
};

constexpr int kCaptionHeight = 19;
constexpr int kFrame = 4;

}  // namespace

void SetScreenSize(int width, int height) {
    if (width <= 0 || height <= 0) return;
    gScreenWidth = width;
    gScreenHeight = height;
}

void SetWorkArea(const RECT& workArea) {
    std::lock_guard lock(gWorkAreaMutex);
    gWorkArea = workArea;
    gWorkAreaSet = true;
}

RECT GetWorkArea() {
    std::lock_guard lock(gWorkAreaMutex);
    if (!gWorkAreaSet) return {0, 0, gScreenWidth.load(), gScreenHeight.load()};
    return gWorkArea;
}

int GetSystemMetrics(int index) {
    int w = gScreenWidth, h = gScreenHeight;
    RECT work = GetWorkArea();
    switch (index) {
        case SM_CXSCREEN:
        case SM_CXVIRTUALSCREEN:
            return w;
        case SM_CYSCREEN:
        case SM_CYVIRTUALSCREEN:
            return h;
        case SM_CXFULLSCREEN:
            return work.right - work.left;
        case SM_CYFULLSCREEN:
            return work.bottom - work.top - kCaptionHeight;
        case SM_CXMAXIMIZED:
            return work.right - work.left + 2 * kFrame;
        case SM_CYMAXIMIZED:
            return work.bottom - work.top + 2 * kFrame;
        case SM_CXVSCROLL:
        case SM_CYHSCROLL:
        case SM_CYVTHUMB:
        case SM_CXHTHUMB:
        case SM_CYVSCROLL:
        case SM_CXHSCROLL:
            return 16;
        case SM_CYCAPTION:
        case SM_CYMENU:
            return kCaptionHeight;
        case SM_CXBORDER:
        case SM_CYBORDER:
            return 1;
        case SM_CXDLGFRAME:
        case SM_CYDLGFRAME:
            return 3;
        case SM_CXICON:
        case SM_CYICON:
        case SM_CXCURSOR:
        case SM_CYCURSOR:
            return 32;
        case SM_CXMIN:
        case SM_CXMINTRACK:
            return 112;
        case SM_CYMIN:
        case SM_CYMINTRACK:
            return 27;
        case SM_CXSIZE:
        case SM_CYSIZE:
        case SM_CXMENUSIZE:
        case SM_CYMENUSIZE:
            return 18;
        case SM_CXFRAME:
        case SM_CYFRAME:
            return kFrame;
        case SM_CXDOUBLECLK:
        case SM_CYDOUBLECLK:
        case SM_CXDRAG:
        case SM_CYDRAG:
            return 4;
        case SM_CXICONSPACING:
        case SM_CYICONSPACING:
            return 75;
        case SM_CXEDGE:
        case SM_CYEDGE:
            return 2;
        case SM_CXSMICON:
        case SM_CYSMICON:
            return 16;
        case SM_CYSMCAPTION:
            return 15;
        case SM_CXMENUCHECK:
        case SM_CYMENUCHECK:
            return 13;
        case SM_CMONITORS:
            return 1;
        case SM_SWAPBUTTON:  // the buttons are never swapped
        default:
            return 0;
    }
}

DWORD GetSysColor(int index) {
    if (index < 0 || index >= kSysColorCount) return 0;
    return kSysColors[std::size_t(index)];
}

HBRUSH GetSysColorBrush(int index) {
    static std::mutex mutex;
    static std::array<HBRUSH, kSysColorCount> brushes{};
    if (index < 0 || index >= kSysColorCount) return nullptr;
    std::lock_guard lock(mutex);
    HBRUSH& slot = brushes[std::size_t(index)];
    if (!slot) {
        auto b = std::make_unique<BrushObject>();
        b->color = kSysColors[std::size_t(index)];
        slot = RegisterObject<HBRUSH>(std::move(b));
        MarkStockObject(slot);
    }
    return slot;
}

DWORD GetLastError() {
    return tLastError;
}
void SetLastError(DWORD error) {
    tLastError = error;
}

DWORD FormatMessage(DWORD flags, const void* source, DWORD messageId, DWORD languageId,
                    char* buffer, DWORD size, void* arguments) {
    (void)source;
    (void)languageId;
    (void)arguments;
    if (!(flags & FORMAT_MESSAGE_FROM_SYSTEM) || !buffer || size == 0) return 0;
    const char* text;
    switch (messageId) {
        case ERROR_SUCCESS:
            text = "The operation completed successfully.";
            break;
        case ERROR_FILE_NOT_FOUND:
            text = "The system cannot find the file specified.";
            break;
        case ERROR_PATH_NOT_FOUND:
            text = "The system cannot find the path specified.";
            break;
        case ERROR_ACCESS_DENIED:
            text = "Access is denied.";
            break;
        case ERROR_INVALID_HANDLE:
            text = "The handle is invalid.";
            break;
        case ERROR_NOT_ENOUGH_MEMORY:
            text = "Not enough storage is available to process this command.";
            break;
        case ERROR_INVALID_DATA:
            text = "The data is invalid.";
            break;
        case ERROR_OUTOFMEMORY:
            text = "Not enough storage is available to complete this operation.";
            break;
        case ERROR_INVALID_PARAMETER:
            text = "The parameter is incorrect.";
            break;
        case ERROR_INSUFFICIENT_BUFFER:
            text = "The data area passed to a system call is too small.";
            break;
        case ERROR_INVALID_WINDOW_HANDLE:
            text = "Invalid window handle.";
            break;
        case ERROR_INVALID_ICON_HANDLE:
            text = "Invalid cursor handle.";
            break;
        case ERROR_INVALID_BITMAP:
            text = "The bitmap is invalid.";
            break;
        default:
            return 0;
    }
    std::string message = std::string(text) + "\r\n";
    if (message.size() + 1 > size) return 0;
    std::memcpy(buffer, message.c_str(), message.size() + 1);
    return DWORD(message.size());
}

}  // namespace platform
