#pragma once

#include <cstddef>
#include <vector>

#include "HistorySnapshot.h"
#include "Model.h"

namespace zef {

// Undo and redo over whole states of the model. Every completed edit records a snapshot;
// undo and redo put the points of the previous or next one back into the model and hand the
// entry to the caller, which applies its properties (canvas size, colours and the pens that
// follow them). The history is unbounded and outlives documents: New and load add to it.
class History {
  public:
    // Records the model as the new current and last entry, discarding the entries redo could
    // have reached. False when memory could not be had; the history is then unchanged.
    bool TakeSnapshot(const Model& model);

    bool CanUndo() const { return !entries_.empty() && current_ > 0; }
    bool CanRedo() const { return current_ + 1 < entries_.size(); }

    // Restores the model's points from the previous (next) entry, all unselected, and makes
    // that entry current. Null when there is nothing to go to or the points could not be
    // rebuilt; the model and the history are then unchanged.
    const HistorySnapshot* Undo(Model& model);
    const HistorySnapshot* Redo(Model& model);

    std::size_t Size() const { return entries_.size(); }

  private:
    const HistorySnapshot* StepTo(std::size_t index, Model& model);

    std::vector<HistorySnapshot> entries_;
    std::size_t current_ = 0;  // meaningful once an entry exists
};

}  // namespace zef
