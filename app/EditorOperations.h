#pragma once

#include <cstdint>

#include "HistorySnapshot.h"

namespace zef {

// The operations of the editor that its units call back: the file flows and undo and redo.
class EditorOperations {
  public:
    virtual ~EditorOperations() = default;

    // Re-creates the pens and brushes of the three colour slots from the model's colours and
    // line width.
    virtual void ApplyColourSlots() = 0;
    virtual void FitCanvas(std::int32_t width, std::int32_t height) = 0;
    virtual void PaintCanvas() = 0;
    virtual void RefreshToolMode() = 0;
    virtual void UpdateTitle() = 0;
    // The model now is a file just read, or a new untitled model: it starts a document of
    // that name in the history, unmodified, and the caption shows it.
    virtual void StartDocument(DocumentIdentity identity) = 0;
    // The model now is recovered work of the file `identity` names (or untitled work): it
    // starts a document of that name in the history, with its changes unsaved.
    virtual void StartRecoveredDocument(DocumentIdentity identity) = 0;
    // The model was written to the file `identity` names, which the document is now called.
    virtual void DocumentSaved(DocumentIdentity identity) = 0;
    // Switches VTR mode; switched on, the replay starts from the beginning.
    virtual void SetVtrMode(bool on) = 0;
    // Enables the Undo and Redo buttons when there is an entry to go to.
    virtual void ShowHistoryButtons() = 0;
    // Removes the recovery copy of changes the user chose not to save.
    virtual void DiscardRecoveryCopy() = 0;
};

}  // namespace zef
