#include "skinctrls/shell_change_notifier.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include "platform/thread/ui_thread.h"

namespace skinctrls {

namespace {
constexpr uint32_t kWatchedEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                    IN_CLOSE_WRITE | IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF;
}

TbsShellChangeThread::TbsShellChangeThread(const std::string& path, std::function<void()> onChange)
    : onChange_(std::move(onChange)) {
    watchFd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (watchFd_ < 0) return;
    if (::inotify_add_watch(watchFd_, path.c_str(), kWatchedEvents | IN_ONLYDIR) < 0 ||
        ::pipe2(stopPipe_, O_CLOEXEC | O_NONBLOCK) != 0) {
        ::close(watchFd_);
        watchFd_ = -1;
        return;
    }
    worker_ = std::make_unique<platform::WorkerThread>([this](platform::WorkerThread&) { Run(); });
    worker_->Resume();
}

TbsShellChangeThread::~TbsShellChangeThread() {
    if (worker_) {
        stopping_ = true;
        const char stop = 1;
        (void)!::write(stopPipe_[1], &stop, 1);
        // The thread may be waiting on a call into this thread: WaitFor serves it until it ends.
        worker_->WaitFor();
    }
    for (int fd : {watchFd_, stopPipe_[0], stopPipe_[1]}) {
        if (fd >= 0) ::close(fd);
    }
}

void TbsShellChangeThread::Run() {
    char buffer[4096];
    while (!stopping_) {
        pollfd fds[2] = {{watchFd_, POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) continue;
        if (fds[1].revents != 0 || stopping_) break;
        bool changed = false;
        while (::read(watchFd_, buffer, sizeof buffer) > 0) changed = true;  // drain the burst
        if (changed && !stopping_) {
            try {
                platform::RunInMainThread([this] {
                    if (!stopping_ && onChange_) onChange_();
                });
            } catch (...) {
                // A refresh that failed (the folder went away) has nothing more to tell.
            }
        }
    }
}

TbsShellChangeNotifier::TbsShellChangeNotifier(const std::string& path,
                                               std::function<void()> onChange)
    : path_(path), thread_(std::make_unique<TbsShellChangeThread>(path, std::move(onChange))) {}

TbsShellChangeNotifier::~TbsShellChangeNotifier() = default;

}  // namespace skinctrls
