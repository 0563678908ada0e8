#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace zef {

// Packs the bytes of large history changes on a thread of its own, started with the first
// job, so that an edit of many points costs the editor's thread no more than finding its
// difference. The caller numbers its jobs and collects the finished ones on its own thread.
class ChangePacker {
  public:
    using Bytes = std::shared_ptr<const std::vector<std::uint8_t>>;
    struct Packed {
        std::uint64_t job = 0;
        Bytes bytes;
    };

    ChangePacker() = default;
    ChangePacker(const ChangePacker&) = delete;
    ChangePacker& operator=(const ChangePacker&) = delete;
    // Ends the thread after the job it is packing; jobs not started are dropped.
    ~ChangePacker();

    // Hands over bytes to pack. False when there was no memory or thread for the job; the
    // bytes then stay as they are.
    bool Pack(std::uint64_t job, Bytes bytes);
    // The jobs finished since the last call, in the order they were handed over; a job whose
    // bytes did not pack smaller is left out.
    std::vector<Packed> TakeFinished();
    // Waits until every job handed over is finished.
    void Wait();

  private:
    void Run(std::stop_token stop);

    std::mutex mutex_;
    std::condition_variable_any changed_;
    std::deque<Packed> waiting_;
    std::vector<Packed> finished_;
    bool packing_ = false;
    std::jthread thread_;
};

}  // namespace zef
