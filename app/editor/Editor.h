#pragma once

#include <cstdint>
#include <string>

#include "app/desktop/RecoveryKeeper.h"
#include "app/editor/CommandTable.h"
#include "app/editor/FileFlows.h"
#include "app/editor/StatusTexts.h"
#include "app/editor/TitleBar.h"
#include "app/sessions/ExportHost.h"
#include "app/sessions/PropertiesSession.h"
#include "app/shell/CommandId.h"
#include "app/shell/DialogId.h"
#include "app/shell/EditorOperations.h"
#include "app/shell/Key.h"
#include "app/shell/Settings.h"
#include "app/shell/Shell.h"
#include "app/shell/ShellWindow.h"
#include "canvas/CanvasInput.h"
#include "canvas/InteractionState.h"
#include "canvas/Renderer.h"
#include "export/ExportOptions.h"
#include "model/EditCommands.h"
#include "model/History.h"
#include "model/Model.h"
#include "model/Random.h"
#include "model/SelectionState.h"

namespace zef {

// The editor: owns the model, the history, the selection and tool state, the renderer with
// its replay state, the export options, the settings and the export-running flag, and routes
// the events of the user interface to the units that do the work. Everything it shows or
// asks goes through the Shell.
class Editor : private EditorOperations, private ExportHost {
  public:
    Editor(Shell& shell, std::uint32_t seed);
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    // The start of the program, after the settings have been read into the model properties
    // and the settings: pens, canvas, toolbar, texts, then the work other instances left
    // unsaved (when the recovery keeper has a folder), the file the command line names (made
    // absolute), and the first history entry.
    void Start(const std::string& commandLine, const std::string& executableDirectory);

    // A toolbar button or a key; does nothing unless the command's guard holds, and nothing
    // while a gesture on the canvas holds the mouse button.
    void Command(CommandId id);
    // Timer ticks; none does anything while an export renders its frames, which changes the
    // model's replay speed for its while.
    void FrameTick();
    void ShakeTick();
    void RecoveryTick(RecoveryKeeper::Clock::time_point now);

    // The mouse events of the canvas window and the drag of its sizing frame.
    CanvasInput& canvasInput() { return canvasInput_; }
    // Ctrl and Shift change the cursor; Escape asks to close the program, unless a gesture on
    // the canvas holds the mouse button.
    void KeyDown(Key key, ShellWindow receiver = ShellWindow::kMain);
    void KeyUp(Key key);
    // New, open, save, export, close, a dropped file and a path handed over.
    FileFlows& files() { return fileFlows_; }

    // One run of the properties dialog on the model and the pens.
    PropertiesSession OpenPropertiesSession();
    // What an export dialog works on.
    ExportHost& exportHost() { return *this; }
    void FitCanvas(std::int32_t width, std::int32_t height) override;
    // Records the model in the history; the document state follows.
    void TakeSnapshot() override;
    void UpdateTitle() override;

    // The model, the settings and the recovery keeper are also the program start's and end's.
    Model& model() { return model_; }
    Settings& settings() { return settings_; }
    // Keeps the recovery copy; ticked by a timer of its own, never inside a frame tick.
    RecoveryKeeper& recovery() { return recovery_; }
    const History& history() const { return history_; }
    const SelectionState& selection() const { return selection_; }
    const InteractionState& interaction() const { return interaction_; }
    const Renderer& renderer() const { return renderer_; }
    // Set while an export renders its own frames (ExportHost::Running): the timers then do
    // nothing.
    bool ExportRunning() const { return exportRunning_; }
    // The program is told to end without asking (a signal of the system, the session or the
    // terminal): an export running or starting from then on stops as Cancel stops it.
    void EndWithoutAsking() { endingWithoutAsking_ = true; }
    bool EndingWithoutAsking() const { return endingWithoutAsking_; }

  private:
    // The commands, run only by the command table's rows once their guards hold; the file
    // commands are the file flows'.
    friend struct CommandRows;
    void SelectTool(Tool tool);  // a drawing tool
    void SelectRangeTool();      // the range selection tool, selection cleared
    void SelectAll();
    void InvertSelection();
    void ToggleMoveMode();
    void ToggleScaleMode();
    void ToggleVtrMode();
    void ToggleShaking();
    void DeleteSelectedSegments();
    void StraightenSelection();
    void RemoveLastLine();
    void Undo();
    void Redo();
    // Runs the properties, settings or About dialog.
    void ShowDialog(DialogId dialog);

    // What the canvas input asks.
    bool VtrMode() const override;
    void UpdateCursor() override;
    void UpdateSizePane() override;
    void RefreshToolbarState() override;
    void PaintCanvas() override;
    void ShowAppendOutOfMemory() override;

    // What the file flows, undo and redo and the properties dialog ask.
    void ApplyColourSlots() override;
    void RefreshToolMode() override;
    void SetVtrMode(bool on) override;
    void ShowHistoryButtons() override;
    void DiscardRecoveryCopy() override;
    void StartDocument(DocumentIdentity identity, bool saved) override;
    void DocumentSaved(DocumentIdentity identity) override;
    void ResetExportOptions() override { exportOptions_.Reset(); }
    void ResetTools() override;
    bool OpensInVtr() const override { return settings_.openInVtr != 0; }

    // What an export dialog's session asks.
    ExportScene Scene() override;
    ExportOptions& Options() override { return exportOptions_; }
    FileDialogRecord& DialogRecord() override { return fileFlows_.DialogRecord(); }
    bool ProgramEnding() const override { return endingWithoutAsking_; }
    void FrameRendered(const RenderReport& report) override { ReportFrame(report); }
    void SetExportRunning(bool running) override { exportRunning_ = running; }

    // The document state after every snapshot, undo, redo, load, New and save: the path and
    // title of the history's current document, and the modified flag, clear only when the
    // model is what the current entry recorded and that entry is the document's saved state.
    // Edits under way set the flag themselves; this is where it is settled.
    void FollowHistory(bool modelRecorded);

    // The tool, the modes and the selection as the command table's rows ask for them, for a
    // command's guard or a change of tool or mode.
    CommandState CommandStateNow() const;
    // Carries out what a rendered frame reported, on the canvas or in an export: the replay
    // progress bar steps, and the frame that completed the drawing refreshes the tool mode.
    void ReportFrame(const RenderReport& report);
    // Carries out what an editing command left to its caller.
    void Apply(const EditResult& result);
    // Tells the recovery keeper that the model or its modified flag may have changed: every
    // snapshot, undo, redo, load, New and save and every edit under way refreshes the title.
    void NoteChange();

    Shell& shell_;
    Random random_;
    Model model_;
    History history_;
    SelectionState selection_;
    InteractionState interaction_;
    Renderer renderer_;
    ExportOptions exportOptions_;
    Settings settings_;
    bool exportRunning_ = false;
    bool endingWithoutAsking_ = false;
    TitleBar titleBar_;
    StatusTexts statusTexts_;
    CanvasInput canvasInput_;
    FileFlows fileFlows_;
    RecoveryKeeper recovery_;
};

}  // namespace zef
