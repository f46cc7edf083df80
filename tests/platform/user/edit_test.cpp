#include "platform/user/user_fixture.h"

namespace platform::testing {
namespace {

class Edit : public UserTest {
  protected:
    void SetUp() override {
        UserTest::SetUp();
        top_ = TopLevel(100, 100, 300, 100, WS_POPUP | WS_VISIBLE);
        edit_ = CreateWindowEx(WS_EX_CLIENTEDGE, "EDIT", "hello",
                               WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 10, 200, 24, top_,
                               reinterpret_cast<HMENU>(std::uintptr_t{5}), nullptr, nullptr);
        ASSERT_NE(edit_, nullptr);
        SetFocus(edit_);
        Pump();
    }
    std::string Text() {
        char buffer[256];
        GetWindowText(edit_, buffer, sizeof buffer);
        return buffer;
    }
    std::pair<DWORD, DWORD> Selection() {
        DWORD start = 0;
        DWORD end = 0;
        SendMessage(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                    reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
    void Keys(std::initializer_list<int> keys) {
        for (int key : keys) host_->PressKey(unsigned(key));
        Pump();
    }
    HWND top_ = nullptr;
    HWND edit_ = nullptr;
};

TEST_F(Edit, TypingAndTheEditingKeys) {
    EXPECT_EQ(Text(), "hello");
    Keys({VK_END});
    host_->Type(" 世界");
    Pump();
    EXPECT_EQ(Text(), "hello 世界");
    EXPECT_EQ(Selection(), std::make_pair(DWORD(8), DWORD(8)));  // code points
    Keys({VK_BACK});
    EXPECT_EQ(Text(), "hello 世");
    Keys({VK_HOME, VK_DELETE});
    EXPECT_EQ(Text(), "ello 世");
    Keys({VK_RIGHT, VK_RIGHT});
    host_->Type("X");
    Pump();
    EXPECT_EQ(Text(), "elXlo 世");
    Keys({VK_LEFT, VK_LEFT, VK_LEFT, VK_LEFT});  // stops at the start
    EXPECT_EQ(Selection(), std::make_pair(DWORD(0), DWORD(0)));
    Keys({VK_BACK});
    EXPECT_EQ(Text(), "elXlo 世");
    // The parent hears about each change.
    EXPECT_GE(TheRecorder().Count(top_, WM_COMMAND), 5u);
}

TEST_F(Edit, ShiftSelectsAndTypingReplacesTheSelection) {
    Keys({VK_HOME});
    host_->KeyDown(VK_SHIFT);
    host_->PressKey(VK_RIGHT);
    host_->PressKey(VK_RIGHT);
    host_->KeyUp(VK_SHIFT);
    Pump();
    EXPECT_EQ(Selection(), std::make_pair(DWORD(0), DWORD(2)));
    host_->Type("J");
    Pump();
    EXPECT_EQ(Text(), "Jllo");
    // Shift+End then Delete removes the rest; a collapsed Left goes to the selection start.
    host_->KeyDown(VK_SHIFT);
    host_->PressKey(VK_END);
    host_->KeyUp(VK_SHIFT);
    Pump();
    EXPECT_EQ(Selection(), std::make_pair(DWORD(1), DWORD(4)));
    Keys({VK_LEFT});
    EXPECT_EQ(Selection(), std::make_pair(DWORD(1), DWORD(1)));
    SendMessage(edit_, EM_SETSEL, 1, -1);
    Keys({VK_DELETE});
    EXPECT_EQ(Text(), "J");
}

TEST_F(Edit, ClipboardGoesThroughTheHost) {
    SendMessage(edit_, EM_SETSEL, 0, 4);
    host_->KeyDown(VK_CONTROL);
    host_->PressKey('C');
    host_->KeyUp(VK_CONTROL);
    Pump();
    EXPECT_EQ(host_->ClipboardText(), "hell");
    host_->KeyDown(VK_CONTROL);
    host_->PressKey('X');
    host_->KeyUp(VK_CONTROL);
    Pump();
    EXPECT_EQ(Text(), "o");
    host_->SetClipboardText("图片\nsecond line");
    Keys({VK_END});
    host_->KeyDown(VK_CONTROL);
    host_->PressKey('V');
    host_->KeyUp(VK_CONTROL);
    Pump();
    EXPECT_EQ(Text(), "o图片");  // a single-line edit takes the first line only
}

TEST_F(Edit, ReadOnlyAndTheTextLimit) {
    SendMessage(edit_, EM_SETREADONLY, TRUE, 0);
    Keys({VK_END, VK_BACK});
    host_->Type("zz");
    Pump();
    EXPECT_EQ(Text(), "hello");
    SendMessage(edit_, EM_SETREADONLY, FALSE, 0);
    SendMessage(edit_, EM_LIMITTEXT, 7, 0);
    EXPECT_EQ(SendMessage(edit_, EM_GETLIMITTEXT, 0, 0), 7);
    host_->Type("abcdef");
    Pump();
    EXPECT_EQ(Text(), "helloab");
    size_t maxText = 0;
    for (const Logged& l : TheRecorder().log) {
        if (l.window == top_ && l.message == WM_COMMAND && HIWORD(l.wParam) == EN_MAXTEXT)
            ++maxText;
    }
    EXPECT_GE(maxText, 1u);
    SendMessage(edit_, EM_SETSEL, 0, 5);
    SendMessage(edit_, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>("0123456789"));
    EXPECT_EQ(Text(), "01234ab");  // cut to the limit
    EXPECT_TRUE(SendMessage(edit_, EM_GETMODIFY, 0, 0));
    SetWindowText(edit_, "new");
    EXPECT_EQ(Text(), "new");
    EXPECT_FALSE(SendMessage(edit_, EM_GETMODIFY, 0, 0));
    EXPECT_EQ(GetWindowTextLength(edit_), 3);
}

TEST_F(Edit, MouseSelectsAndTakesTheFocus) {
    HWND other = Child(top_, 220, 10, 50, 20);
    SetFocus(other);
    POINT origin{0, 0};
    ClientToScreen(edit_, &origin);
    host_->MouseDown(origin.x + 1, origin.y + 5);
    host_->MouseMove(origin.x + 150, origin.y + 5);
    host_->MouseUp(origin.x + 150, origin.y + 5);
    Pump();
    EXPECT_EQ(GetFocus(), edit_);
    EXPECT_EQ(Selection(), std::make_pair(DWORD(0), DWORD(5)));
    EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace
}  // namespace platform::testing
