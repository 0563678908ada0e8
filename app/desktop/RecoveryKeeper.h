#pragma once

#include <chrono>
#include <filesystem>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/desktop/RecoveryFolder.h"
#include "model/Model.h"

namespace zef {

// Keeps a recovery copy of the model while it has unsaved changes: written a few seconds
// after editing pauses, and at least every half minute while the changes go on; removed once
// the model has no unsaved changes or its changes are given up. The model is copied on the
// calling thread, into memory made ready beforehand for a large model; encoding and writing
// run on a thread of their own, at the lowest priority, so the caller never waits for the disk
// (except to remove or seal the copy). Without a folder it keeps nothing.
class RecoveryKeeper {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::seconds kPause{3};
    static constexpr std::chrono::seconds kLongest{30};

    RecoveryKeeper() = default;
    RecoveryKeeper(const RecoveryKeeper&) = delete;
    RecoveryKeeper& operator=(const RecoveryKeeper&) = delete;
    // Waits for the work of its threads.
    ~RecoveryKeeper();

    // Keeps this instance's copy in `folder` from now on; false when it cannot be used there.
    bool UseFolder(const std::filesystem::path& folder);
    // Null without a folder.
    RecoveryFolder* Folder() { return folder_.get(); }

    // The model changed, or its modified flag did: a model without unsaved changes has its
    // copy removed.
    void Changed(const Model& model, Clock::time_point now);
    // Starts writing the copy when it is due.
    void Tick(const Model& model, Clock::time_point now);
    // Removes the copy: its changes are saved or given up.
    void Discard();
    // The program ends without asking: the copy is brought up to date, waiting for the disk,
    // and kept from then on, whatever happens to the model.
    void Seal(const Model& model);
    // A copy left behind by an instance that no longer runs, just opened as the model, becomes
    // this instance's copy.
    void Adopt(const std::string& copy);

    // Waits for the work of the threads to end.
    void Settle();
    // True while a thread of the keeper works: making memory for a copy, or writing one.
    bool Working() const;

    // Models up to this many points are copied without memory made ready for them.
    static constexpr std::size_t kSmallModel = 65536;
    // What the writing thread hands back: whether the copy was written, and the memory of its
    // points for the next copy.
    struct Written {
        bool written = false;
        std::vector<PointRecord> room;
    };

  private:
    // True when the model's points fit the memory at hand; otherwise, unless that is under
    // way, starts making more on a thread.
    bool RoomFor(const Model& model);
    void StartWrite(const Model& model);
    // Takes the result of the write that ended; false when it failed.
    bool FinishWrite();
    void TakeRoom();

    std::unique_ptr<RecoveryFolder> folder_;
    // The first change and the last since the copy was last taken; none when the copy is up
    // to date or none is needed.
    std::optional<Clock::time_point> firstChange_;
    Clock::time_point lastChange_;
    // The memory the points are copied into: held from copy to copy, and made on a thread for
    // a large model, so that taking the copy on the caller's thread finds its pages in place.
    std::vector<PointRecord> room_;
    std::future<std::vector<PointRecord>> making_;
    std::future<Written> write_;
    // The disk holds what it should: a copy of the model as it is now, or no copy when none is
    // needed or the changes were given up.
    bool upToDate_ = true;
    bool sealed_ = false;
};

}  // namespace zef
