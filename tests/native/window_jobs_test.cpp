// The workers of a tool window: busy until the last of its load has ended, and what a worker of
// an earlier load brings back counts no more, however the ends come in.
#include "runtime/window_jobs.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowJobs, BusyUntilTheLastWorkerOfTheLoadEnds) {
  rt::WindowJobs jobs;
  jobs.restart();
  EXPECT_FALSE(jobs.busy());
  const int a = jobs.begin(), b = jobs.begin();
  EXPECT_EQ(a, b);
  EXPECT_EQ(jobs.running(), 2);
  EXPECT_TRUE(jobs.end(a));
  EXPECT_TRUE(jobs.busy());
  EXPECT_TRUE(jobs.end(b));
  EXPECT_FALSE(jobs.busy());
  // One end too many (a worker's result and its failure both reported) takes nothing below 0.
  EXPECT_TRUE(jobs.end(b));
  EXPECT_EQ(jobs.running(), 0);
  EXPECT_FALSE(jobs.busy());
  const int c = jobs.begin();
  EXPECT_TRUE(jobs.busy());
  EXPECT_TRUE(jobs.end(c));
  EXPECT_FALSE(jobs.busy());
}

TEST(WindowJobs, AWorkerOfAnEarlierLoadCountsNoMore) {
  rt::WindowJobs jobs;
  const int old = jobs.begin();
  jobs.begin();
  jobs.restart();  // the window was closed and loaded again
  EXPECT_FALSE(jobs.busy());
  EXPECT_FALSE(jobs.current(old));
  const int now = jobs.begin();
  EXPECT_TRUE(jobs.current(now));
  EXPECT_EQ(jobs.generation(), now);
  // The old worker's end is dropped: the new load stays busy until its own worker ends.
  EXPECT_FALSE(jobs.end(old));
  EXPECT_FALSE(jobs.end(old));
  EXPECT_TRUE(jobs.busy());
  EXPECT_TRUE(jobs.end(now));
  EXPECT_FALSE(jobs.busy());
}

}  // namespace
