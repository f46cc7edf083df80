#include <atomic>
#include <stdexcept>
#include <thread>

#include "platform/thread/sync.h"
#include "platform/thread/ui_thread.h"
#include "platform/user/user_fixture.h"

namespace platform::testing {
namespace {

using Threads = UserTest;

TEST_F(Threads, AWorkersSynchronousCallIsServedInsideTheMoveLoop) {
    HWND w = TopLevel(100, 100, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    std::atomic<bool> inLoop{false};
    TheRecorder().handler = [&](HWND, UINT m, WPARAM, LPARAM, LRESULT&) {
        if (m == WM_ENTERSIZEMOVE) inLoop = true;
        if (m == WM_EXITSIZEMOVE) inLoop = false;
        return false;
    };
    const std::thread::id mainId = std::this_thread::get_id();
    std::thread::id ranOn;
    bool ranInLoop = false;
    VirtualHost* host = host_;
    WorkerThread worker([&](WorkerThread& self) {
        while (!inLoop) Sleep(1);  // wait until the main thread is inside the modal loop
        self.Synchronize([&] {
            ranOn = std::this_thread::get_id();
            ranInLoop = inLoop;
            POINT p;
            GetCursorPos(&p);
            EXPECT_EQ(GetCapture(), w);
        });
        host->MouseUp(250, 150);  // only now may the loop end
    });
    host_->MouseDown(200, 110);
    host_->MouseMove(250, 150);
    worker.Resume();
    Pump();  // runs the move loop until the worker releases the button
    worker.WaitFor();
    EXPECT_EQ(ranOn, mainId);
    EXPECT_TRUE(ranInLoop);
    EXPECT_FALSE(inLoop);
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 150);
}

TEST_F(Threads, SynchronousCallsRethrowAndWaitForServesThem) {
    TopLevel(0, 0, 10, 10);  // makes this the user-interface thread
    std::string caught;
    int served = 0;
    WorkerThread worker([&](WorkerThread& self) {
        for (int i = 0; i < 3; ++i) self.Synchronize([&] { ++served; });
        try {
            self.Synchronize([] { throw std::runtime_error("from the main thread"); });
        } catch (const std::runtime_error& e) {
            caught = e.what();
        }
    });
    worker.Resume();
    worker.WaitFor();  // must not deadlock: the waits serve the worker's calls
    EXPECT_EQ(served, 3);
    EXPECT_EQ(caught, "from the main thread");
    EXPECT_TRUE(worker.Finished());
}

TEST_F(Threads, BeforeAnyLoopAWorkersCallRunsInTheThreadThatWaitsForIt) {
    // No window and no loop yet, as in the command-line tool: the call must not run on the
    // worker, where it would race with this thread over what it touches.
    const std::thread::id waiter = std::this_thread::get_id();
    std::thread::id ranOn;
    WorkerThread worker(
        [&](WorkerThread& self) { self.Synchronize([&] { ranOn = std::this_thread::get_id(); }); });
    worker.Resume();
    worker.WaitFor();
    EXPECT_EQ(ranOn, waiter);
    EXPECT_TRUE(IsMainThread());
}

TEST_F(Threads, WorkersPostAndSendIntoTheLoop) {
    HWND w = TopLevel(0, 0, 10, 10);
    std::thread::id handledOn;
    TheRecorder().handler = [&](HWND, UINT m, WPARAM, LPARAM, LRESULT& r) {
        if (m == WM_USER + 9) {
            handledOn = std::this_thread::get_id();
            r = 77;
            return true;
        }
        if (m == WM_USER + 10) PostQuitMessage(3);
        return false;
    };
    LRESULT sent = 0;
    std::thread worker([&] {
        Sleep(20);
        sent = SendMessage(w, WM_USER + 9, 0, 0);
        PostMessage(w, WM_USER + 10, 0, 0);
    });
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0)) DispatchMessage(&msg);  // blocks until the worker posts
    worker.join();
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_EQ(sent, 77);
    EXPECT_EQ(handledOn, std::this_thread::get_id());
}

TEST_F(Threads, WaitMessageSleepsUntilSomethingArrives) {
    HWND w = TopLevel(0, 0, 10, 10);
    // Read before the poster starts, so a slow start of this thread cannot shorten the wait.
    const DWORD start = GetTickCount();
    std::thread poster([w] {
        Sleep(40);
        PostMessage(w, WM_USER + 1, 0, 0);
    });
    WaitMessage();
    const DWORD waited = GetTickCount() - start;
    poster.join();
    EXPECT_GE(waited, 39u);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, UINT(WM_USER + 1));
}

// A worker that reports its own destruction.
class WatchedWorker : public WorkerThread {
  public:
    WatchedWorker(Body body, std::atomic<bool>& destroyed)
        : WorkerThread(std::move(body)), destroyed_(destroyed) {}
    ~WatchedWorker() override { destroyed_ = true; }

  private:
    std::atomic<bool>& destroyed_;
};

TEST_F(Threads, SelfFreeingWorkersEndOnTheirOwn) {
    TopLevel(0, 0, 10, 10);
    std::atomic<bool> served{false}, destroyed{false};
    auto* worker = new WatchedWorker(
        [&](WorkerThread& self) { self.Synchronize([&] { served = true; }); }, destroyed);
    worker->SetFreeOnTerminate(true);
    worker->Resume();
    // Serve its call from a loop, as the program's message loop does, until it is gone.
    for (int i = 0; i < 10000 && !destroyed; ++i) {
        MSG msg;
        if (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
        Sleep(1);
    }
    EXPECT_TRUE(served);
    EXPECT_TRUE(destroyed);
}

}  // namespace
}  // namespace platform::testing
