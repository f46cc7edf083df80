// Files dropped from a file manager: which window hears of them, and what the drop handle
// tells it.
#include "platform/user/user_fixture.h"

namespace platform::testing {
namespace {

class DropFiles : public UserTest {
  protected:
    void SetUp() override {
        UserTest::SetUp();
        top_ = TopLevel(100, 100, 300, 200, WS_POPUP | WS_VISIBLE);
        child_ = Child(top_, 20, 30, 100, 50);
        // The handle is read while the message is handled: the receiver frees it.
        TheRecorder().handler = [this](HWND window, UINT message, WPARAM wParam, LPARAM, LRESULT&) {
            if (message != WM_DROPFILES) return false;
            const HDROP drop = reinterpret_cast<HDROP>(wParam);
            receiver_ = window;
            names_.clear();
            const UINT count = DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0);
            for (UINT i = 0; i < count; ++i) {
                std::string name(DragQueryFile(drop, i, nullptr, 0), '\0');
                DragQueryFile(drop, i, name.data(), UINT(name.size() + 1));
                names_.push_back(name);
            }
            nonClient_ = DragQueryPoint(drop, &point_);
            DragFinish(drop);
            EXPECT_EQ(DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0), 0u);  // gone
            return true;
        };
        Pump();
    }

    HWND top_ = nullptr;
    HWND child_ = nullptr;
    HWND receiver_ = nullptr;
    std::vector<std::string> names_;
    POINT point_{-1, -1};
    BOOL nonClient_ = TRUE;
};

TEST_F(DropFiles, AWindowHearsOfDropsOnlyOnceItAcceptsFiles) {
    host_->DropFiles(150, 150, {"/tmp/a.bmp"});
    Pump();
    EXPECT_EQ(TheRecorder().Count(top_, WM_DROPFILES), 0u);

    DragAcceptFiles(top_, TRUE);
    EXPECT_TRUE(GetWindowLongPtr(top_, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    host_->DropFiles(150, 150, {"/tmp/a.bmp", "/tmp/文件 b.gif"});
    Pump();
    EXPECT_EQ(receiver_, top_);
    EXPECT_EQ(names_, (std::vector<std::string>{"/tmp/a.bmp", "/tmp/文件 b.gif"}));
    EXPECT_EQ(point_.x, 50);
    EXPECT_EQ(point_.y, 50);
    EXPECT_FALSE(nonClient_);

    DragAcceptFiles(top_, FALSE);
    receiver_ = nullptr;
    host_->DropFiles(150, 150, {"/tmp/a.bmp"});
    Pump();
    EXPECT_EQ(receiver_, nullptr);
}

TEST_F(DropFiles, ADropOnAChildGoesToTheNearestAncestorThatAcceptsFiles) {
    DragAcceptFiles(top_, TRUE);
    host_->DropFiles(100 + 20 + 5, 100 + 30 + 5, {"/tmp/c.ico"});
    Pump();
    EXPECT_EQ(receiver_, top_);
    EXPECT_EQ(point_.x, 25);  // in the receiver's client coordinates
    EXPECT_EQ(point_.y, 35);

    DragAcceptFiles(child_, TRUE);
    host_->DropFiles(100 + 20 + 5, 100 + 30 + 5, {"/tmp/c.ico"});
    Pump();
    EXPECT_EQ(receiver_, child_);
    EXPECT_EQ(point_.x, 5);
    EXPECT_EQ(point_.y, 5);
}

TEST_F(DropFiles, ADisabledWindowAndAnEmptyDropGetNothing) {
    DragAcceptFiles(top_, TRUE);
    host_->DropFiles(150, 150, {});
    Pump();
    EXPECT_EQ(TheRecorder().Count(top_, WM_DROPFILES), 0u);
    EnableWindow(top_, FALSE);
    host_->DropFiles(150, 150, {"/tmp/a.bmp"});
    Pump();
    EXPECT_EQ(TheRecorder().Count(top_, WM_DROPFILES), 0u);
}

TEST_F(DropFiles, NamesAreCutToTheBufferAndBadHandlesAndIndexesAnswerNothing) {
    DragAcceptFiles(top_, TRUE);
    std::string cut;
    UINT copied = 99;
    TheRecorder().handler = [&](HWND, UINT message, WPARAM wParam, LPARAM, LRESULT&) {
        if (message != WM_DROPFILES) return false;
        const HDROP drop = reinterpret_cast<HDROP>(wParam);
        char buffer[5] = "xxxx";
        copied = DragQueryFile(drop, 0, buffer, sizeof buffer);
        cut = buffer;
        EXPECT_EQ(DragQueryFile(drop, 1, buffer, sizeof buffer), 0u);
        EXPECT_EQ(DragQueryFile(drop, 0, buffer, 0), 0u);
        DragFinish(drop);
        return true;
    };
    host_->DropFiles(150, 150, {"/tmp/long-name.bmp"});
    Pump();
    EXPECT_EQ(copied, 4u);
    EXPECT_EQ(cut, "/tmp");
    EXPECT_EQ(DragQueryFile(nullptr, 0xFFFFFFFF, nullptr, 0), 0u);
    POINT p{};
    EXPECT_FALSE(DragQueryPoint(nullptr, &p));
    DragFinish(nullptr);  // harmless
}

}  // namespace
}  // namespace platform::testing
