// build INPUT... -o DIR: every input on its own worker, as many workers as cores.
#include <algorithm>
#include <atomic>
#include <filesystem>
#include <map>
#include <thread>

#include "core/exceptions.h"
#include "icon_commands.h"
#include "progress_bar.h"

namespace cli {
namespace {

struct Job {
    std::string input;
    std::string output;
    std::string clash;  // the earlier input with the same output name, if any
};

std::vector<Job> PlanJobs(const Command& command) {
    std::vector<Job> jobs;
    std::map<std::string, std::string> taken;
    for (const std::string& input : command.inputs) {
        std::string name = std::filesystem::path(input).stem().string() + ".ico";
        std::string output = (std::filesystem::path(*command.outputFolder) / name).string();
        auto [at, fresh] = taken.emplace(output, input);
        jobs.push_back({input, output, fresh ? "" : at->second});
    }
    return jobs;
}

// The error of one job, or an empty text when it succeeded.
std::string RunJob(const Command& command, const Job& job) {
    if (!job.clash.empty())
        return job.input + ": its icon would have the same name as " + job.clash + "'s";
    try {
        BuildOne(command, job.input, job.output);
    } catch (const std::exception& e) {  // the program's errors, and running out of memory
        return ErrorNaming(job.input, e.what());
    }
    return "";
}

}  // namespace

int RunBatchBuild(const Command& command) {
    std::error_code error;
    std::filesystem::create_directories(*command.outputFolder, error);
    if (error) {
        std::fprintf(stderr, "%s: %s\n", command.outputFolder->c_str(), error.message().c_str());
        return 1;
    }
    std::vector<Job> jobs = PlanJobs(command);
    ProgressBar progress(jobs.size());
    std::atomic<size_t> next{0}, failed{0};
    auto worker = [&] {
        for (size_t i = next++; i < jobs.size(); i = next++) {
            std::string problem = RunJob(command, jobs[i]);
            if (!problem.empty()) {
                ++failed;
                progress.Report(problem);
            }
            progress.Advance();
        }
    };
    size_t count = std::clamp<size_t>(std::thread::hardware_concurrency(), 1, jobs.size());
    std::vector<std::jthread> workers;
    for (size_t i = 0; i < count; ++i) workers.emplace_back(worker);
    workers.clear();  // joins
    if (failed == 0) return 0;
    progress.Report("tembrin-ico-cli: " + std::to_string(failed.load()) + " of " +
                    std::to_string(jobs.size()) + " inputs failed");
    return 1;
}

}  // namespace cli
