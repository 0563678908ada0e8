#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

namespace zef {

// Works jobs on threads of their own and hands them back in the order they came, on the thread
// that pushed them. At most `limit` jobs wait or are worked on at once (twice as many as
// workers unless said), so memory stays flat however many come. `work` is called with the job
// and the number of the worker, below Workers(), so that each worker can keep tools of its own.
// A worker takes the jobs in their order, so a job may wait in `work` for one before it.
template <typename Job>
class OrderedJobs {
  public:
    using Work = std::function<void(Job&, unsigned worker)>;
    using Done = std::function<void(Job&)>;

    // Throws std::bad_alloc when no worker can be started.
    OrderedJobs(unsigned workers, Work work, std::size_t limit = 0) : work_(std::move(work)) {
        for (unsigned i = 0; i < workers; ++i) {
            try {
                threads_.emplace_back([this, i] { Run(i); });
            } catch (const std::system_error&) {
                break;
            }
        }
        if (threads_.empty()) {
            throw std::bad_alloc();
        }
        limit_ = limit != 0 ? limit : 2 * threads_.size();
    }
    OrderedJobs(const OrderedJobs&) = delete;
    OrderedJobs& operator=(const OrderedJobs&) = delete;
    ~OrderedJobs() {
        {
            const std::lock_guard lock(mutex_);
            waiting_.clear();
            stopping_ = true;
        }
        queued_.notify_all();
        for (std::thread& thread : threads_) {
            thread.join();
        }
    }

    unsigned Workers() const { return static_cast<unsigned>(threads_.size()); }
    // Whether no job waits to be handed back.
    bool Empty() const { return slots_.empty(); }

    // Hands the jobs done from the first on to `done`, waiting while the limit of jobs are out.
    void MakeRoom(const Done& done) { HandBack(done, limit_ - 1); }
    // MakeRoom, then queues `job`.
    void Push(Job job, const Done& done) {
        MakeRoom(done);
        {
            const std::lock_guard lock(mutex_);
            slots_.push_back({std::move(job), false});
            waiting_.push_back(&slots_.back());
        }
        queued_.notify_one();
    }
    // Waits for every job and hands them all to `done`.
    void Drain(const Done& done) { HandBack(done, 0); }

  private:
    struct Slot {
        Job job;
        bool done;
    };

    // Hands back the jobs done from the first on, waiting until at most `out` are left.
    void HandBack(const Done& done, std::size_t out) {
        std::unique_lock lock(mutex_);
        while (!slots_.empty()) {
            if (!slots_.front().done) {
                if (slots_.size() <= out) {
                    return;
                }
                finished_.wait(lock, [this] { return slots_.front().done; });
            }
            Job job = std::move(slots_.front().job);
            slots_.pop_front();
            lock.unlock();
            done(job);
            lock.lock();
        }
    }

    void Run(unsigned worker) {
        std::unique_lock lock(mutex_);
        while (true) {
            queued_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
            if (waiting_.empty()) {
                return;
            }
            Slot* slot = waiting_.front();
            waiting_.pop_front();
            lock.unlock();
            work_(slot->job, worker);
            lock.lock();
            slot->done = true;
            finished_.notify_all();
        }
    }

    Work work_;
    std::size_t limit_ = 0;
    std::mutex mutex_;
    std::condition_variable queued_;    // a job waits, or the workers are to stop
    std::condition_variable finished_;  // a job is done
    std::deque<Slot> slots_;            // the jobs out, in order; a deque keeps them in place
    std::deque<Slot*> waiting_;         // those no worker has taken yet
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

}  // namespace zef
