// The progress monitor's timing, percentage and row-band rules, driven with a fake clock and
// hand-set library counters.
#include <gtest/gtest.h>

#include <vector>

#include "codecs/jpeg/jpeg_progress.h"

namespace codecs {
namespace {

struct Seen {
    int percent;
    bool redraw;
    JpegProgressRect rect;
};

class ProgressMonitorTest : public ::testing::Test {
  protected:
    ProgressMonitorTest()
        : monitor_(
              [this](JpegProgressStage stage, int percent, bool redraw,
                     const JpegProgressRect& rect, const std::string&) {
                  EXPECT_EQ(stage, JpegProgressStage::Running);
                  seen_.push_back({percent, redraw, rect});
              },
              [this] { return now_; }) {
        info_.output_width = 320;
        info_.output_height = 200;
        monitor_.Counters().total_passes = 2;
        monitor_.Counters().pass_limit = 100;
    }

    // One library call at time `at` with the given pass counter and output row.
    void CallAt(uint32_t at, long counter, unsigned row, int completed = 0) {
        now_ = at;
        monitor_.Counters().pass_counter = counter;
        monitor_.Counters().completed_passes = completed;
        info_.output_scanline = row;
        monitor_.Update(info_);
    }

    uint32_t now_ = 0;
    jpeg_decompress_struct info_{};
    std::vector<Seen> seen_;
    JpegProgressMonitor monitor_;
};

TEST_F(ProgressMonitorTest, FirstCallOnlyStartsTheClockAndCallsWithin500MsAreDropped) {
    CallAt(10000, 50, 50);
    EXPECT_TRUE(seen_.empty());
    CallAt(10499, 60, 60);
    EXPECT_TRUE(seen_.empty());
    CallAt(10500, 60, 60);
    ASSERT_EQ(seen_.size(), 1u);
    EXPECT_EQ(seen_[0].percent, 30);  // (60/100 + 0) * 100 / 2
    CallAt(10700, 80, 80);            // 200 ms after the last recorded time
    EXPECT_EQ(seen_.size(), 1u);
}

TEST_F(ProgressMonitorTest, ReportsOnlyWholePercentChangesWithTheBandSinceTheLastReport) {
    CallAt(0, 0, 0);
    CallAt(500, 20, 40);
    ASSERT_EQ(seen_.size(), 1u);
    EXPECT_EQ(seen_[0].rect.top, 0);
    EXPECT_EQ(seen_[0].rect.bottom, 40);
    EXPECT_EQ(seen_[0].rect.right, 320);
    EXPECT_TRUE(seen_[0].redraw);

    CallAt(1000, 21, 42);  // 10.5 % is still 10
    EXPECT_EQ(seen_.size(), 1u);

    CallAt(1500, 24, 42);  // 12 %, but only two rows since the last report: no redraw
    ASSERT_EQ(seen_.size(), 2u);
    EXPECT_EQ(seen_[1].percent, 12);
    EXPECT_EQ(seen_[1].rect.top, 40);
    EXPECT_EQ(seen_[1].rect.bottom, 42);
    EXPECT_FALSE(seen_[1].redraw);
}

TEST_F(ProgressMonitorTest, ANewPassStretchesTheBandToTheBottom) {
    CallAt(0, 0, 0);
    CallAt(500, 90, 150);
    CallAt(1000, 10, 20, 1);  // second pass, rows start over
    ASSERT_EQ(seen_.size(), 2u);
    EXPECT_EQ(seen_[1].percent, 55);
    EXPECT_EQ(seen_[1].rect.top, 150);
    EXPECT_EQ(seen_[1].rect.bottom, 200);
}

TEST_F(ProgressMonitorTest, ClockWrapAroundAndMissingPassLimitsAreSafe) {
    CallAt(0xFFFFFF00u, 10, 10);
    CallAt(0x00000100u, 10, 10);  // 512 ms later across the wrap
    ASSERT_EQ(seen_.size(), 1u);
    monitor_.Counters().pass_limit = 0;
    CallAt(0x00001000u, 90, 90);
    EXPECT_EQ(seen_.size(), 1u);
}

}  // namespace
}  // namespace codecs
