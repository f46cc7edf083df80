#pragma once
// A one-line progress bar on standard error, drawn only when standard error is a terminal.
#include <mutex>
#include <string>

namespace cli {

class ProgressBar {
  public:
    explicit ProgressBar(size_t total);
    ~ProgressBar();
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void Advance();
    // Prints a line above the bar (or plainly when there is no bar).
    void Report(const std::string& line);

  private:
    void Draw();

    std::mutex mutex_;
    size_t total_;
    size_t done_ = 0;
    bool shown_;
};

}  // namespace cli
