#pragma once
// Watches one folder (not its subtree) for added, removed, renamed or changed entries and
// calls back in the user-interface thread; the file list's AutoRefresh uses it.
#include <atomic>
#include <functional>
#include <memory>
#include <string>

namespace platform {
class WorkerThread;
}

namespace skinctrls {

// The waiting thread: blocks on the folder's change events and a stop signal.
class TbsShellChangeThread {
  public:
    TbsShellChangeThread(const std::string& path, std::function<void()> onChange);
    ~TbsShellChangeThread();
    // False when the folder cannot be watched (then no thread runs).
    bool Watching() const { return watchFd_ >= 0; }

  private:
    void Run();

    std::function<void()> onChange_;
    int watchFd_ = -1;
    int stopPipe_[2] = {-1, -1};
    std::atomic<bool> stopping_{false};
    // A worker, so that its calls wait for the user-interface thread even before any window
    // or message loop has made that thread known.
    std::unique_ptr<platform::WorkerThread> worker_;
};

class TbsShellChangeNotifier {
  public:
    // `onChange` runs in the user-interface thread after a change in `path`.
    TbsShellChangeNotifier(const std::string& path, std::function<void()> onChange);
    ~TbsShellChangeNotifier();
    const std::string& Path() const { return path_; }
    bool Watching() const { return thread_ && thread_->Watching(); }

  private:
    std::string path_;
    std::unique_ptr<TbsShellChangeThread> thread_;
};

}  // namespace skinctrls
