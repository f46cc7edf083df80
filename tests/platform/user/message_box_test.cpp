#include <cstdlib>

#include "platform/user/user_fixture.h"

namespace platform::testing {
namespace {

using Modal = UserTest;

struct Observed {
    bool ownerDisabled = false;
    bool otherDisabled = false;
    HWND active = nullptr;
    HWND box = nullptr;
    bool done = false;
    std::uint32_t iconPixel = 0;
    int darkTextPixels = 0;
};
Observed gSeen;
HWND gOwner = nullptr;
HWND gOther = nullptr;
VirtualHost* gHost = nullptr;

// Runs inside the box's modal loop: looks at the task, then answers the box.
void InspectAndAnswer(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    gSeen.ownerDisabled = !IsWindowEnabled(gOwner);
    gSeen.otherDisabled = !IsWindowEnabled(gOther);
    gSeen.active = GetActiveWindow();
    gSeen.box = gSeen.active;
    gSeen.done = true;
    // What the box shows: the error icon at the top left of its client area, text beside it.
    MSG msg;
    PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE);  // lets the loop paint and present
    POINT client{0, 0};
    ClientToScreen(gSeen.box, &client);
    gSeen.iconPixel = gHost->PixelAt(client.x + 12 + 16, client.y + 12 + 4);
    for (int y = client.y + 12; y < client.y + 44; ++y) {
        for (int x = client.x + 56; x < client.x + 200; ++x)
            gSeen.darkTextPixels += gHost->PixelAt(x, y) < 0x404040u;
    }
    if (const char* shot = std::getenv("TEMBRIN_SCREENSHOT")) gHost->SaveScreenshot(shot);
    // A click on the disabled owner does not reach it; Enter answers the box.
    RECT r;
    GetWindowRect(gOwner, &r);
    gHost->Click(r.left + 20, r.top + 40);
    gHost->PressKey(VK_RETURN);
}

TEST_F(Modal, MessageBoxDisablesTheTaskAndRestoresActivationAndFocus) {
    gOwner = TopLevel(50, 50, 300, 200, WS_POPUP | WS_VISIBLE);
    gOther = TopLevel(400, 50, 200, 200, WS_POPUP | WS_VISIBLE);
    HWND edit = Child(gOwner, 10, 10, 100, 20);
    SetActiveWindow(gOwner);
    SetFocus(edit);
    gSeen = Observed{};
    gHost = host_;
    SetTimer(nullptr, 0, 20, InspectAndAnswer);
    TheRecorder().log.clear();
    const int result = MessageBox(gOwner, "Icon image is not valid.", "TembrinICO图标生成工具",
                                  MB_OK | MB_ICONERROR);
    EXPECT_EQ(result, IDOK);
    ASSERT_TRUE(gSeen.done);
    EXPECT_TRUE(gSeen.ownerDisabled);
    EXPECT_TRUE(gSeen.otherDisabled);
    EXPECT_NE(gSeen.active, gOwner);
    EXPECT_EQ(gSeen.iconPixel, 0xE02020u);
    EXPECT_GT(gSeen.darkTextPixels, 20);
    // The box was a window of its own, gone now.
    EXPECT_FALSE(IsWindow(gSeen.box));
    EXPECT_EQ(TheRecorder().Count(edit, WM_LBUTTONDOWN), 0u);
    EXPECT_EQ(TheRecorder().Count(gOwner, WM_LBUTTONDOWN), 0u);
    // Afterwards everything is enabled again, and the activation and focus are back.
    EXPECT_TRUE(IsWindowEnabled(gOwner));
    EXPECT_TRUE(IsWindowEnabled(gOther));
    EXPECT_EQ(GetActiveWindow(), gOwner);
    EXPECT_EQ(GetFocus(), edit);
}

void PressEscape(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    gHost->PressKey(VK_ESCAPE);
}

void ClickSecondButton(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    HWND box = GetActiveWindow();
    RECT r;
    GetWindowRect(box, &r);
    // Buttons sit centred along the bottom: the second one is right of the middle.
    const int x = (r.left + r.right) / 2 + 40;
    const int y = r.bottom - 3 - 12 - 11;
    gHost->Click(x, y);
}

std::uint32_t gIconPixel = 0;
void ReadIconThenEscape(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    MSG msg;
    PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE);  // paint and present
    POINT client{0, 0};
    ClientToScreen(GetActiveWindow(), &client);
    gIconPixel = gHost->PixelAt(client.x + 12 + 16, client.y + 12 + 3);
    gHost->PressKey(VK_ESCAPE);
}

TEST_F(Modal, MessageBoxIconsFollowTheType) {
    gHost = host_;
    const std::pair<UINT, std::uint32_t> cases[] = {{MB_ICONWARNING, 0xF0C000u},
                                                    {MB_ICONINFORMATION, 0x2060D0u}};
    for (const auto& [type, expected] : cases) {
        gIconPixel = 0xFFFFFFFFu;
        SetTimer(nullptr, 0, 20, ReadIconThenEscape);
        EXPECT_EQ(MessageBox(nullptr, "text", "caption", MB_OK | type), IDOK);
        EXPECT_EQ(gIconPixel, expected) << type;
    }
}

TEST_F(Modal, MessageBoxButtonsAnswerByKeyAndByClick) {
    gHost = host_;
    HWND owner = TopLevel(50, 50, 300, 200, WS_POPUP | WS_VISIBLE);
    SetTimer(nullptr, 0, 20, PressEscape);
    EXPECT_EQ(MessageBox(owner, "Continue?", "Question", MB_OKCANCEL), IDCANCEL);
    SetTimer(nullptr, 0, 20, ClickSecondButton);
    EXPECT_EQ(MessageBox(owner, "Continue?", "Question", MB_YESNO), IDNO);
}

RECT gBoxRect{};
void MeasureBoxThenEscape(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    GetWindowRect(GetActiveWindow(), &gBoxRect);
    gHost->PressKey(VK_ESCAPE);
}

TEST_F(Modal, MessageBoxWidensForItsTitleAsFarAsTheScreenAllows) {
    gHost = host_;
    SetTimer(nullptr, 0, 20, MeasureBoxThenEscape);
    MessageBox(nullptr, "x", "caption", MB_OK);
    const int plain = gBoxRect.right - gBoxRect.left;
    const std::string title = "TembrinICO图标生成工具 - a title longer than the box's text";
    SetTimer(nullptr, 0, 20, MeasureBoxThenEscape);
    MessageBox(nullptr, "x", title.c_str(), MB_OK);
    EXPECT_GT(gBoxRect.right - gBoxRect.left, plain);
    std::string endless;
    for (int i = 0; i < 40; ++i) endless += title;
    SetTimer(nullptr, 0, 20, MeasureBoxThenEscape);
    MessageBox(nullptr, "x", endless.c_str(), MB_OK);
    EXPECT_GE(gBoxRect.left, 0);
    EXPECT_LE(gBoxRect.right - gBoxRect.left, host_->Width());
}

void ChooseSecondItem(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    gHost->PressKey(VK_DOWN);
    gHost->PressKey(VK_DOWN);
    gHost->PressKey(VK_RETURN);
}

void ClickOutside(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    gHost->Click(700, 500);
}

TEST_F(Modal, PopupMenusReturnOrPostTheChosenCommand) {
    gHost = host_;
    HWND owner = TopLevel(50, 50, 300, 200, WS_POPUP | WS_VISIBLE);
    HMENU menu = CreatePopupMenu();
    AppendMenu(menu, MF_STRING, 101, "导出为（64X64）ICO图标");
    AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenu(menu, MF_STRING | MF_GRAYED, 102, "disabled");
    AppendMenu(menu, MF_STRING, 103, "导出为（16X16）ICO图标");
    EXPECT_EQ(GetMenuItemCount(menu), 4);
    // Down, Down skips the separator and the disabled item.
    SetTimer(nullptr, 0, 20, ChooseSecondItem);
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, owner, nullptr), 103);
    EXPECT_EQ(GetActiveWindow(), owner);  // the menu never took the activation
    // Without TPM_RETURNCMD the command is posted to the owner.
    SetTimer(nullptr, 0, 20, ChooseSecondItem);
    TheRecorder().log.clear();
    EXPECT_TRUE(TrackPopupMenu(menu, 0, 100, 100, 0, owner, nullptr));
    Pump();
    ASSERT_EQ(TheRecorder().Count(owner, WM_COMMAND), 1u);
    for (const Logged& l : TheRecorder().log) {
        if (l.message == WM_COMMAND) {
            EXPECT_EQ(LOWORD(l.wParam), 103);
        }
    }
    // A click outside dismisses it without a command.
    SetTimer(nullptr, 0, 20, ClickOutside);
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, owner, nullptr), 0);
    EXPECT_TRUE(DestroyMenu(menu));
    EXPECT_FALSE(AppendMenu(menu, MF_STRING, 1, "x"));
}

}  // namespace
}  // namespace platform::testing
