#include "platform/thread/ui_thread.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>

#include "platform/thread/main_thread_loop.h"

namespace platform {

namespace {

struct PendingCall {
    const std::function<void()>* procedure = nullptr;
    std::exception_ptr error;
    bool done = false;
};

struct CallQueue {
    std::mutex mutex;
    std::condition_variable finished;
    std::condition_variable arrived;  // a call was queued or a worker ended
    std::deque<PendingCall*> calls;
};

CallQueue& Calls() {
    // Never destroyed: a self-freeing worker may still signal it while the program exits.
    static CallQueue* const queue = new CallQueue;
    return *queue;
}

// Set in the threads that run a worker's body.
thread_local bool inWorker = false;

// The installed loop when a thread has become its user-interface thread, else nullptr.
MainThreadLoop* KnownLoop() {
    MainThreadLoop* loop = InstalledMainThreadLoop();
    return loop != nullptr && loop->MainThreadKnown() ? loop : nullptr;
}

}  // namespace

bool IsMainThread() {
    if (MainThreadLoop* loop = KnownLoop())
        return loop->MainThreadId() == std::this_thread::get_id();
    // Before any window or loop exists, the thread that is not a worker stands in: it is the
    // one that started the workers and waits for them.
    return !inWorker;
}

void RunInMainThread(const std::function<void()>& procedure) {
    if (IsMainThread()) {
        procedure();
        return;
    }
    PendingCall call;
    call.procedure = &procedure;
    CallQueue& queue = Calls();
    {
        std::lock_guard lock(queue.mutex);
        queue.calls.push_back(&call);
    }
    queue.arrived.notify_all();
    // Without a known loop there is nothing to wake: the waiting thread serves the call.
    if (MainThreadLoop* loop = KnownLoop()) loop->Wake();
    std::unique_lock lock(queue.mutex);
    queue.finished.wait(lock, [&] { return call.done; });
    if (call.error) std::rethrow_exception(call.error);
}

bool HasMainThreadCalls() {
    CallQueue& queue = Calls();
    std::lock_guard lock(queue.mutex);
    return !queue.calls.empty();
}

bool ServeMainThreadCalls() {
    CallQueue& queue = Calls();
    bool served = false;
    for (;;) {
        PendingCall* call = nullptr;
        {
            std::lock_guard lock(queue.mutex);
            if (queue.calls.empty()) break;
            call = queue.calls.front();
            queue.calls.pop_front();
        }
        try {
            (*call->procedure)();
        } catch (...) {
            call->error = std::current_exception();
        }
        {
            std::lock_guard lock(queue.mutex);
            call->done = true;
        }
        queue.finished.notify_all();
        served = true;
    }
    return served;
}

bool ProcessWaitingMessages() {
    MainThreadLoop* loop = InstalledMainThreadLoop();
    return loop == nullptr || loop->DispatchWaitingMessages();
}

WorkerThread::WorkerThread(Body body) : body_(std::move(body)) {}

WorkerThread::~WorkerThread() {
    if (thread_.joinable()) {
        terminated_ = true;
        if (std::this_thread::get_id() == thread_.get_id()) {
            thread_.detach();
        } else {
            WaitFor();
        }
    }
}

void WorkerThread::Resume() {
    if (started_) return;
    started_ = true;
    thread_ = std::thread([this] { Run(); });
    if (freeOnTerminate_) thread_.detach();
}

void WorkerThread::Run() {
    inWorker = true;
    try {
        body_(*this);
    } catch (...) {
        // A worker's failure ends only that worker.
    }
    CallQueue& queue = Calls();
    const bool freeSelf = freeOnTerminate_;
    {
        std::lock_guard lock(queue.mutex);
        finished_ = true;
    }
    queue.arrived.notify_all();
    if (freeSelf) delete this;
}

void WorkerThread::WaitFor() {
    if (!thread_.joinable()) return;
    if (IsMainThread()) {
        // Serve the worker's synchronous calls while it winds down.
        CallQueue& queue = Calls();
        for (;;) {
            ServeMainThreadCalls();
            std::unique_lock lock(queue.mutex);
            queue.arrived.wait(lock, [&] { return finished_ || !queue.calls.empty(); });
            if (finished_ && queue.calls.empty()) break;
        }
    }
    thread_.join();
}

}  // namespace platform
