// What the thread services need of the user-interface thread's message loop, which lives in
// the window layer above them. The window layer installs its loop when the program starts;
// a program without one (the command-line tool) has no user-interface thread to know about.
#pragma once

#include <thread>

namespace platform {

class MainThreadLoop {
  public:
    virtual ~MainThreadLoop() = default;

    // Whether a thread has become the user-interface thread (by creating a window or reading
    // messages), and which one.
    virtual bool MainThreadKnown() = 0;
    virtual std::thread::id MainThreadId() = 0;
    // Ends the loop's wait for messages; safe from any thread.
    virtual void Wake() = 0;
    // Dispatches the messages waiting for the calling thread. False when one of them was the
    // request to quit, which is posted again for the loop that owns it.
    virtual bool DispatchWaitingMessages() = 0;
};

// Installs the loop the thread services work with (nullptr: none). The loop outlives every
// thread that may use it.
void InstallMainThreadLoop(MainThreadLoop* loop);
MainThreadLoop* InstalledMainThreadLoop();

}  // namespace platform
