#include "model/ChangePacker.h"

#include <new>
#include <system_error>

#include "model/PointChange.h"

namespace zef {

ChangePacker::~ChangePacker() {
    if (thread_.joinable()) {
        thread_.request_stop();
        changed_.notify_all();
        thread_.join();
    }
}

bool ChangePacker::Pack(std::uint64_t job, Bytes bytes) {
    try {
        const std::scoped_lock lock(mutex_);
        if (!thread_.joinable()) {
            thread_ = std::jthread([this](std::stop_token stop) { Run(stop); });
        }
        waiting_.push_back({job, std::move(bytes)});
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::system_error&) {
        return false;
    }
    changed_.notify_all();
    return true;
}

std::vector<ChangePacker::Packed> ChangePacker::TakeFinished() {
    const std::scoped_lock lock(mutex_);
    return std::exchange(finished_, {});
}

void ChangePacker::Wait() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return waiting_.empty() && !packing_; });
}

void ChangePacker::Run(std::stop_token stop) {
    std::unique_lock lock(mutex_);
    while (changed_.wait(lock, stop, [this] { return !waiting_.empty(); })) {
        Packed job = std::move(waiting_.front());
        waiting_.pop_front();
        packing_ = true;
        lock.unlock();
        try {
            std::vector<std::uint8_t> packed = PointChange::PackBytes(*job.bytes);
            job.bytes = packed.empty()
                            ? nullptr
                            : std::make_shared<const std::vector<std::uint8_t>>(std::move(packed));
        } catch (const std::bad_alloc&) {
            job.bytes = nullptr;
        }
        lock.lock();
        packing_ = false;
        if (job.bytes) {
            try {
                finished_.push_back(std::move(job));
            } catch (const std::bad_alloc&) {
                // The change keeps its bytes unpacked.
            }
        }
        changed_.notify_all();
    }
}

}  // namespace zef
