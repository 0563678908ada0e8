#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "model/ChangePacker.h"
#include "model/DocumentIdentity.h"
#include "model/Model.h"
#include "model/PointChange.h"

namespace zef {

// Undo and redo over whole states of the model. Every completed edit records an entry; undo
// and redo put the points of the previous or next one back into the model and hand the
// entry's properties to the caller, which applies them (canvas size, colours and the pens
// that follow them). The history is unbounded and outlives documents: New and load start a
// new document in it, and undo and redo may cross into another document's entries. Each entry
// knows its document's name and whether it is that document's saved state, so the caller can
// show which file the drawing belongs to and whether it differs from it.
//
// Only the current entry's points are held whole; every other entry keeps how its points
// differ from the entry before it (PointChange), so the history's memory follows what was
// changed rather than how large the drawing is. Large differences are packed on a thread of
// their own. Jitter is not kept: restored points have none until the next shake.
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

    // Restores the model's points from the previous (next) entry, all unselected and without
    // jitter, makes that entry and its document current and gives its properties. Null when
    // there is nothing to go to or the points could not be rebuilt; the model and the history
    // are then unchanged.
    const ModelProperties* Undo(Model& model);
    const ModelProperties* Redo(Model& model);

    std::size_t Size() const { return entries_.size(); }
    // The memory the history holds, in bytes.
    std::size_t Bytes() const;
    // Waits until the differences handed to the packing thread are packed and kept.
    void FinishPacking();

  private:
    struct Entry {
        ModelProperties properties;
        PointChange change;  // from the entry before; none for the first entry
        std::uint64_t serial = 0;
        std::size_t document = 0;  // index of the history's document
        bool saved = false;
    };

    // Whether a new entry is its document's saved state: kWhenUnchanged makes it so when it
    // holds the current entry's drawing.
    enum class Saved { kNo, kYes, kWhenUnchanged };

    bool Record(const Model& model, Saved saved);
    const ModelProperties* StepTo(std::size_t index, Model& model);
    void KeepPacked();

    std::vector<Entry> entries_;
    std::size_t current_ = 0;         // meaningful once an entry exists
    std::vector<PointImage> points_;  // the current entry's points
    std::uint64_t nextSerial_ = 0;
    std::vector<DocumentIdentity> documents_{DocumentIdentity{}};
    std::size_t document_ = 0;              // the document new entries belong to
    std::unique_ptr<ChangePacker> packer_;  // made with the first difference to pack
};

}  // namespace zef
