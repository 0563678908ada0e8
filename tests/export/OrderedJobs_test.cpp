#include "export/OrderedJobs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

namespace zef {
namespace {

struct Job {
    int index = 0;
    int squared = 0;
};

// Early jobs take longest, so later ones are done first; they still come back in the order
// they went in, each worked once, and no more are out at once than the limit: twice as many as
// workers unless one is given.
TEST(OrderedJobsTest, JobsDoneOutOfOrderComeBackInOrder) {
    const struct {
        unsigned workers;
        std::size_t limit;
        int mostOut;
    } cases[] = {{1, 0, 2}, {3, 0, 6}, {3, 4, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.workers << " workers, limit " << c.limit);
        const unsigned workers = c.workers;
        int out = 0;
        int mostOut = 0;
        std::vector<int> handed;
        {
            OrderedJobs<Job> jobs(
                workers,
                [&](Job& job, unsigned worker) {
                    EXPECT_LT(worker, workers);
                    std::this_thread::sleep_for(
                        std::chrono::microseconds(50 * (20 - job.index % 20)));
                    job.squared = job.index * job.index;
                },
                c.limit);
            const auto done = [&](Job& job) {
                EXPECT_EQ(job.squared, job.index * job.index);
                handed.push_back(job.index);
                --out;
            };
            for (int i = 0; i < 60; ++i) {
                jobs.Push({i, 0}, done);
                mostOut = std::max(mostOut, ++out);
            }
            jobs.Drain(done);
            EXPECT_TRUE(jobs.Empty());
        }
        ASSERT_EQ(handed.size(), 60u);
        for (int i = 0; i < 60; ++i) {
            EXPECT_EQ(handed[static_cast<std::size_t>(i)], i);
        }
        EXPECT_LE(mostOut, c.mostOut);
    }
}

}  // namespace
}  // namespace zef
