#include "platform/thread/main_thread_loop.h"

#include <atomic>

namespace platform {

namespace {
// Constant-initialised, so a loop installed by another file's start-up code is never undone
// by this file's.
constinit std::atomic<MainThreadLoop*> installed{nullptr};
}  // namespace

void InstallMainThreadLoop(MainThreadLoop* loop) {
    installed.store(loop);
}

MainThreadLoop* InstalledMainThreadLoop() {
    return installed.load();
}

}  // namespace platform
