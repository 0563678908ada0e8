#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "HistorySnapshot.h"
#include "Model.h"

namespace zef {

// Undo and redo over whole states of the model. Every completed edit records a snapshot;
// undo and redo put the points of the previous or next one back into the model and hand the
// entry to the caller, which applies its properties (canvas size, colours and the pens that
// follow them). The history is unbounded and outlives documents: New and load start a new
// document in it, and undo and redo may cross into another document's entries. Each entry
// knows its document's name and whether it is that document's saved state, so the caller can
// show which file the drawing belongs to and whether it differs from it.
class History {
  public:
    // Starts a new document named `identity` (a file just read, or an untitled new model) and
    // records the model as its first entry, which is its saved state unless `saved` is false
    // (work recovered after a crash, which the file does not hold). False when memory for the
    // entry could not be had: the document is current all the same, without an entry.
    bool StartDocument(const Model& model, DocumentIdentity identity, bool saved = true);

    // Records the model as the new current and last entry of the current document (an
    // untitled one before any was started), discarding the entries redo could have reached.
    // The entry is the saved state when the current entry is and holds the same drawing:
    // equal properties and points, jitter aside. False when memory could not be had; the
    // history is then unchanged.
    bool TakeSnapshot(const Model& model);

    // The current document was written, holding the model, to the file `identity` names: the
    // document takes that name; the current entry becomes its saved state when it holds the
    // model's drawing; no other entry of this document, or of another document of that file,
    // is a saved state any more.
    void DocumentSaved(const Model& model, DocumentIdentity identity);

    const DocumentIdentity& CurrentDocument() const { return documents_[document_]; }
    // Whether the current entry is the current document's saved state.
    bool CurrentIsSaved() const;

    bool CanUndo() const { return !entries_.empty() && current_ > 0; }
    bool CanRedo() const { return current_ + 1 < entries_.size(); }

    // Restores the model's points from the previous (next) entry, all unselected, and makes
    // that entry and its document current. Null when there is nothing to go to or the points
    // could not be rebuilt; the model and the history are then unchanged.
    const HistorySnapshot* Undo(Model& model);
    const HistorySnapshot* Redo(Model& model);

    std::size_t Size() const { return entries_.size(); }

  private:
    // The model as an entry of the current document, with room for it made in the list;
    // none when memory could not be had.
    std::optional<HistorySnapshot> SnapshotOf(const Model& model);
    // Makes the entry the last and current one, after the entries up to the current one.
    void Append(HistorySnapshot snapshot);
    const HistorySnapshot* StepTo(std::size_t index, Model& model);

    std::vector<HistorySnapshot> entries_;
    std::size_t current_ = 0;  // meaningful once an entry exists
    std::vector<DocumentIdentity> documents_{DocumentIdentity{}};
    std::size_t document_ = 0;  // the document new entries belong to
};

}  // namespace zef
