#include "app/desktop/RecoveryKeeper.h"

#include <sys/resource.h>
#include <unistd.h>

#include <exception>
#include <functional>
#include <utility>

#include "app/desktop/RecoveryCopy.h"

namespace zef {
namespace {

constexpr int kBackgroundNice = 19;

RecoveryCopy CopyOf(const Model& model) {
    return {model.document.path, model.document.title, model.properties, model.points};
}

// The threads give way to the program's own, taking only the time the frames leave.
void GiveWay() {
    ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), kBackgroundNice);
}

RecoveryKeeper::Written WriteInBackground(const RecoveryFolder& folder, RecoveryCopy copy) {
    GiveWay();
    const bool written = folder.WriteCopy(EncodeRecoveryCopy(copy));
    return {written, std::move(copy.points)};
}

// Every page of the memory is touched here, not when the points are copied in.
std::vector<PointRecord> MakeRoom(std::size_t count) {
    GiveWay();
    return std::vector<PointRecord>(count);
}

template <typename Result>
bool Running(const std::future<Result>& task) {
    return task.valid() && task.wait_for(std::chrono::seconds(0)) != std::future_status::ready;
}

}  // namespace

RecoveryKeeper::~RecoveryKeeper() {
    Settle();
}

bool RecoveryKeeper::UseFolder(const std::filesystem::path& folder) {
    folder_ = RecoveryFolder::Open(folder);
    return folder_ != nullptr;
}

void RecoveryKeeper::Changed(const Model& model, Clock::time_point now) {
    if (!folder_ || sealed_) {
        return;
    }
    upToDate_ = false;
    if (!model.document.modified) {
        Discard();
        return;
    }
    if (!firstChange_) {
        firstChange_ = now;
    }
    lastChange_ = now;
}

void RecoveryKeeper::Tick(const Model& model, Clock::time_point now) {
    if (!folder_ || sealed_) {
        return;
    }
    if (Working()) {
        return;
    }
    TakeRoom();
    if (write_.valid() && !FinishWrite()) {
        // Tried again once editing pauses.
        Changed(model, now);
    }
    if (firstChange_ && (now - lastChange_ >= kPause || now - *firstChange_ >= kLongest) &&
        RoomFor(model)) {
        StartWrite(model);
    }
}

void RecoveryKeeper::Discard() {
    if (!folder_ || sealed_) {
        return;
    }
    Settle();
    folder_->RemoveCopy();
    firstChange_.reset();
    upToDate_ = true;
}

void RecoveryKeeper::Seal(const Model& model) {
    if (!folder_ || sealed_) {
        return;
    }
    Settle();
    if (model.document.modified && !upToDate_) {
        folder_->WriteCopy(EncodeRecoveryCopy(CopyOf(model)));
    }
    sealed_ = true;
}

void RecoveryKeeper::Adopt(const std::string& copy) {
    if (!folder_ || sealed_) {
        return;
    }
    Settle();
    if (folder_->Adopt(copy)) {
        firstChange_.reset();
        upToDate_ = true;
    }
}

bool RecoveryKeeper::Working() const {
    return Running(making_) || Running(write_);
}

void RecoveryKeeper::Settle() {
    TakeRoom();
    if (write_.valid()) {
        FinishWrite();
    }
}

bool RecoveryKeeper::RoomFor(const Model& model) {
    const std::size_t count = model.points.size();
    if (count <= kSmallModel || count <= room_.capacity()) {
        return true;
    }
    try {
        making_ = std::async(std::launch::async, MakeRoom, count + count / 8);
    } catch (const std::exception&) {
    }
    return false;
}

// A model that cannot be copied now is tried again at the next tick.
void RecoveryKeeper::StartWrite(const Model& model) {
    try {
        room_.assign(model.points.begin(), model.points.end());
        RecoveryCopy copy{model.document.path, model.document.title, model.properties,
                          std::move(room_)};
        write_ =
            std::async(std::launch::async, WriteInBackground, std::cref(*folder_), std::move(copy));
    } catch (const std::exception&) {
        return;
    }
    firstChange_.reset();
}

bool RecoveryKeeper::FinishWrite() {
    Written result;
    try {
        result = write_.get();
    } catch (const std::exception&) {
    }
    room_ = std::move(result.room);
    upToDate_ = result.written && !firstChange_;
    return result.written;
}

void RecoveryKeeper::TakeRoom() {
    if (!making_.valid()) {
        return;
    }
    try {
        room_ = making_.get();
    } catch (const std::exception&) {
    }
}

}  // namespace zef
