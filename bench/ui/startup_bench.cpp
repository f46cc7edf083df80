// Start-up and idle cost of the program on the virtual screen.
//
// StartupToFirstFrame: a fresh process (this executable again, in its child mode) starts the
// program the way main() does, with the virtual screen as host, and reports the time from
// just before it was spawned to the first frame of the main window presented on the screen.
// IdleCpu: the running program's user-interface thread between events: CPU time it uses over
// two seconds with nothing to do (it should be zero: the loop sleeps in the host).
#include <benchmark/benchmark.h>
#include <pthread.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "app/window/form1.h"
#include "app/window/startup.h"
#include "codecs/register.h"
#include "platform/host/virtual/virtual_host.h"
#include "platform/user/user.h"
#include "ui/application.h"

extern char** environ;

namespace {

constexpr const char* kChildVariable = "TEMBRIN_BENCH_STARTED_NS";

int64_t MonotonicNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return int64_t(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// Child mode: start like main(), stop at the first presented frame, print the elapsed time.
int RunChild(int64_t startedNs) {
    auto host = std::make_unique<platform::VirtualHost>(1024, 768);
    platform::VirtualHost* screen = host.get();
    platform::SetHost(std::move(host));
    codecs::RegisterPictureFormats();
    ui::TApplication& application = ui::Application();
    application.Initialize();
    application.SetTitle(app::kApplicationTitle);
    application.CreateForm<app::TForm1>();
    application.MainForm()->Show();
    // The loop presents the painted windows whenever it runs out of messages.
    for (int round = 0; screen->PresentCount() == 0 && round < 1000; ++round)
        application.ProcessMessages();
    if (screen->PresentCount() == 0) return 1;
    int64_t elapsed = MonotonicNs() - startedNs;
    std::printf("%lld\n", static_cast<long long>(elapsed));
    std::fflush(stdout);
    std::_Exit(0);
}

void StartupToFirstFrame(benchmark::State& state) {
    for (auto _ : state) {
        int out[2];
        if (pipe(out) != 0) {
            state.SkipWithError("pipe failed");
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        std::string variable = std::string(kChildVariable) + "=" + std::to_string(MonotonicNs());
        std::vector<char*> env;
        for (char** e = environ; *e != nullptr; ++e) env.push_back(*e);
        env.push_back(variable.data());
        env.push_back(nullptr);
        char self[] = "/proc/self/exe";
        char* argv[] = {self, nullptr};
        pid_t child = 0;
        int spawned = posix_spawn(&child, "/proc/self/exe", &actions, nullptr, argv, env.data());
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        if (spawned != 0) {
            close(out[0]);
            state.SkipWithError("spawn failed");
            return;
        }
        char buffer[64] = {};
        ssize_t got = read(out[0], buffer, sizeof buffer - 1);
        close(out[0]);
        int status = 0;
        waitpid(child, &status, 0);
        if (got <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("child did not report a frame");
            return;
        }
        state.SetIterationTime(double(std::atoll(buffer)) / 1e9);
    }
}
BENCHMARK(StartupToFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

double ThreadCpuMs(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1e6;
}

void IdleCpu(benchmark::State& state) {
    for (auto _ : state) {
        auto host = std::make_unique<platform::VirtualHost>(1024, 768);
        platform::VirtualHost* screen = host.get();
        platform::ResetWindowServices();
        platform::SetHost(std::move(host));
        codecs::RegisterPictureFormats();
        ui::TApplication& application = ui::Application();
        application.Reset();
        application.SetTitle(app::kApplicationTitle);
        application.CreateForm<app::TForm1>();
        clockid_t loopClock{};
        pthread_getcpuclockid(pthread_self(), &loopClock);
        double usedMs = 0;
        // The watcher lets the window settle, measures the loop's CPU time over two idle
        // seconds, then closes the window the way a user would.
        std::thread watcher([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
            double before = ThreadCpuMs(loopClock);
            std::this_thread::sleep_for(std::chrono::seconds(2));
            usedMs = ThreadCpuMs(loopClock) - before;
            auto windows = screen->VisibleWindows();
            if (!windows.empty()) screen->RequestClose(windows.back());
        });
        application.Run();
        watcher.join();
        application.Reset();
        platform::ResetWindowServices();
        state.counters["idle_cpu_ms_per_2s"] = usedMs;
    }
}
BENCHMARK(IdleCpu)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    if (const char* started = std::getenv(kChildVariable)) return RunChild(std::atoll(started));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
