#pragma once

#include "canvas/CanvasHost.h"
#include "model/DocumentIdentity.h"

namespace zef {

// The operations of the editor that its units call back: besides what the canvas input calls,
// what the file flows, undo and redo and the properties dialog call.
class EditorOperations : public CanvasHost {
  public:
    // Re-creates the pens and brushes of the three colour slots from the model's colours and
    // line width.
    virtual void ApplyColourSlots() = 0;
    // Shows the tool mode in the status bar and the toolbar, and the cursor that goes with it.
    virtual void RefreshToolMode() = 0;
    // The model now is a file just read, or a new untitled model: it starts a document of
    // that name in the history, unmodified, and the caption shows it. Recovered work of the
    // file `identity` names (or untitled work) is not `saved`: its changes show as unsaved.
    virtual void StartDocument(DocumentIdentity identity, bool saved) = 0;
    // The model was written to the file `identity` names, which the document is now called.
    virtual void DocumentSaved(DocumentIdentity identity) = 0;
    // Switches VTR mode; switched on, the replay starts from the beginning.
    virtual void SetVtrMode(bool on) = 0;
    // Enables the Undo and Redo buttons when there is an entry to go to.
    virtual void ShowHistoryButtons() = 0;
    // Removes the recovery copy of changes the user chose not to save.
    virtual void DiscardRecoveryCopy() = 0;
    // The export dialogs start again from their defaults, as they do for every new model.
    virtual void ResetExportOptions() = 0;
    // The straight-line tool, with move and scale mode off: how an opened model starts.
    virtual void ResetTools() = 0;
    // Whether an opened model starts in VTR mode, as the settings choose.
    virtual bool OpensInVtr() const = 0;
};

}  // namespace zef
