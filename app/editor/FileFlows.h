#pragma once

#include <span>
#include <string>

#include "app/desktop/RecoveryCopy.h"
#include "app/shell/DialogId.h"
#include "app/shell/EditorOperations.h"
#include "app/shell/FileDialogRecord.h"
#include "app/shell/Shell.h"
#include "model/Model.h"

namespace zef {

// The file-level flows of the editor: new model, open, save, save under a new name, the
// question whether to save changes first, close, a path handed over by a second start, a
// dropped file, and the check that refuses to export an empty model.
class FileFlows {
  public:
    FileFlows(Model& model, Shell& shell, EditorOperations& host);

    void NewModel();
    void Open();
    // True when the model was written; a failure has been reported. The save dialog and the
    // failure's message belong to `owner`, the window the save was asked in.
    bool Save(ShellWindow owner = ShellWindow::kMain);
    bool SaveAs(ShellWindow owner = ShellWindow::kMain);
    // Asks to save changes and ends the program unless the user cancels.
    void Close(ShellWindow owner);
    void HandOver(const std::string& path);
    // Opens the first of the dropped files; the others are ignored.
    void Drop(std::span<const std::string> paths);
    // Runs an export dialog unless the model has no points.
    void Export(DialogId dialog);

    // Reads a model file and makes it the current model, titled by the file's name; false
    // when it did not become the current model (the user cancelled, or the file could not be
    // read).
    bool OpenModelFile(const std::string& path);
    // Makes recovered work the current model, under its own path and title and with its
    // changes unsaved, after the question whether to save the current one; false when the
    // user cancelled.
    bool OpenRecovered(RecoveryCopy work);

    // While the properties dialog runs for a new model.
    bool NewModelMarker() const { return newModelMarker_; }
    FileDialogRecord& DialogRecord() { return record_; }

  private:
    // Replaces the model by the file's; false, after the failure's message, when it cannot
    // be read, and nothing of the model has changed then. The caller starts its document.
    bool LoadModel(const std::string& path);
    // Makes the points and properties the current model's, as a load does.
    void TakeModel(const ModelProperties& properties, std::vector<PointRecord> points);
    // Starts the document of a model just taken, in VTR mode when the settings ask for it.
    void StartOpenedDocument(DocumentIdentity identity, bool saved);
    // Writes the model; false, after the failure's message, when it could not be written.
    bool SaveModel(const std::string& path, ShellWindow owner);
    // False when the operation that asks must stop: the user cancelled, or chose to save
    // and the model was not saved.
    bool AskToSaveChanges(ShellWindow owner);
    // True when nothing is at `path`, or the user agrees to replace it.
    bool MayReplace(const std::string& path, ShellWindow owner);
    void Report(const std::string& text, MessageIcon icon, ShellWindow owner = ShellWindow::kMain);

    Model& model_;
    Shell& shell_;
    EditorOperations& host_;
    FileDialogRecord record_;
    bool newModelMarker_ = false;
};

}  // namespace zef
