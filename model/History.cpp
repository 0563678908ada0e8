#include "History.h"

#include <algorithm>
#include <new>

namespace zef {

bool History::TakeSnapshot(const Model& model) {
    HistorySnapshot snapshot;
    try {
        snapshot.points.assign(model.points.begin(), model.points.end());
        if (entries_.size() == entries_.capacity()) {
            entries_.reserve(std::max<std::size_t>(16, entries_.size() * 2));
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    snapshot.properties = model.properties;
    if (!entries_.empty()) {
        entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(current_) + 1,
                       entries_.end());
    }
    entries_.push_back(std::move(snapshot));
    current_ = entries_.size() - 1;
    return true;
}

const HistorySnapshot* History::Undo(Model& model) {
    return CanUndo() ? StepTo(current_ - 1, model) : nullptr;
}

const HistorySnapshot* History::Redo(Model& model) {
    return CanRedo() ? StepTo(current_ + 1, model) : nullptr;
}

const HistorySnapshot* History::StepTo(std::size_t index, Model& model) {
    if (!model.ReplacePoints(entries_[index].points)) {
        return nullptr;
    }
    current_ = index;
    return &entries_[index];
}

}  // namespace zef
