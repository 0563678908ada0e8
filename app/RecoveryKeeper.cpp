#include "RecoveryKeeper.h"

#include <exception>
#include <utility>

#include "RecoveryCopy.h"

namespace zef {
namespace {

RecoveryCopy CopyOf(const Model& model) {
    return {model.document.path, model.document.title, model.properties, model.points};
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
    if (Writing()) {
        if (write_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
            return;
        }
        if (!FinishWrite()) {
            // Tried again once editing pauses.
            Changed(model, now);
        }
    }
    if (firstChange_ && (now - lastChange_ >= kPause || now - *firstChange_ >= kLongest)) {
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

void RecoveryKeeper::Settle() {
    if (Writing()) {
        FinishWrite();
    }
}

// A model too large to copy now is tried again at the next tick.
void RecoveryKeeper::StartWrite(const Model& model) {
    try {
        RecoveryCopy copy = CopyOf(model);
        write_ = std::async(std::launch::async, [folder = folder_.get(), copy = std::move(copy)] {
            return folder->WriteCopy(EncodeRecoveryCopy(copy));
        });
    } catch (const std::exception&) {
        return;
    }
    firstChange_.reset();
}

bool RecoveryKeeper::FinishWrite() {
    bool written = false;
    try {
        written = write_.get();
    } catch (const std::exception&) {
    }
    upToDate_ = written && !firstChange_;
    return written;
}

}  // namespace zef
