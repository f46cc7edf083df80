// Worker threads and their synchronous calls into the user-interface thread. The message loop
// (GetMessage, PeekMessage, WaitMessage, and every modal loop built on them) serves the calls.
#pragma once

#include <atomic>
#include <functional>
#include <thread>

namespace platform {

// The user-interface thread is the first thread that creates a window or reads messages.
// Until one has, every thread but the workers counts as it (as in the command-line tool).
bool IsMainThread();

// Runs `procedure` in the user-interface thread and waits until it has run. Called from that
// thread it runs at once. A worker's call always waits for that thread: the message loop or
// WaitFor serves it, so a worker never runs user-interface code on its own. An exception the
// procedure throws is rethrown here.
void RunInMainThread(const std::function<void()>& procedure);

// Runs the calls that workers are waiting on; returns whether any ran. Called by the loop.
bool ServeMainThreadCalls();
bool HasMainThreadCalls();

// Dispatches the messages waiting in the user-interface thread's queue, so that thread stays
// responsive while it waits on its own. False when a request to quit came: the caller stops
// waiting, and the request stays posted for the loop that owns it. Without a message loop
// (the command-line tool) there is nothing to dispatch.
bool ProcessWaitingMessages();

// A worker thread, created suspended. Resume starts its body; Terminate only asks it to stop
// (the body polls Terminated). With FreeOnTerminate the object deletes itself when the body
// returns, so it must have been made with new and not be touched after Resume.
class WorkerThread {
  public:
    using Body = std::function<void(WorkerThread&)>;

    explicit WorkerThread(Body body);
    virtual ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    void Resume();
    void Terminate() { terminated_ = true; }
    bool Terminated() const { return terminated_; }
    bool Finished() const { return finished_; }
    bool Started() const { return started_; }
    // Waits for the body to return; on the user-interface thread it keeps serving the
    // worker's synchronous calls meanwhile, so a worker waiting on one cannot deadlock it.
    void WaitFor();
    void Synchronize(const std::function<void()>& procedure) { RunInMainThread(procedure); }
    void SetFreeOnTerminate(bool value) { freeOnTerminate_ = value; }
    // Stored for callers that read it back; all workers run at the system's normal priority.
    void SetPriority(int priority) { priority_ = priority; }
    int Priority() const { return priority_; }

  private:
    void Run();

    Body body_;
    std::thread thread_;
    std::atomic<bool> terminated_{false};
    std::atomic<bool> finished_{false};
    bool started_ = false;
    bool freeOnTerminate_ = false;
    int priority_ = 0;
};

}  // namespace platform
