#include "progress_bar.h"

#include <unistd.h>

#include <cstdio>

namespace cli {

constexpr int kBarWidth = 40;

ProgressBar::ProgressBar(size_t total) : total_(total), shown_(isatty(STDERR_FILENO) == 1) {
    std::lock_guard lock(mutex_);
    Draw();
}

ProgressBar::~ProgressBar() {
    if (shown_) std::fputc('\n', stderr);
}

void ProgressBar::Advance() {
    std::lock_guard lock(mutex_);
    ++done_;
    Draw();
}

void ProgressBar::Report(const std::string& line) {
    std::lock_guard lock(mutex_);
    if (shown_) std::fputs("\r\033[K", stderr);  // clear the bar's line first
    std::fprintf(stderr, "%s\n", line.c_str());
    Draw();
}

void ProgressBar::Draw() {
    if (!shown_) return;
    int filled = total_ == 0 ? kBarWidth : int(done_ * kBarWidth / total_);
    std::string bar(size_t(filled), '#');
    bar.resize(kBarWidth, '.');
    std::fprintf(stderr, "\r[%s] %zu/%zu", bar.c_str(), done_, total_);
    std::fflush(stderr);
}

}  // namespace cli
