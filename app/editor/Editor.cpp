#include "app/editor/Editor.h"

#include <algorithm>
#include <utility>

#include "app/desktop/FilePaths.h"
#include "app/editor/CanvasFit.h"
#include "app/editor/CommandTable.h"
#include "app/editor/RecoveryOffer.h"
#include "app/editor/ToolMode.h"
#include "app/editor/ToolModeDisplay.h"
#include "app/editor/UndoRedo.h"
#include "app/shell/AppTexts.h"
#include "model/ModelTexts.h"

namespace zef {

Editor::Editor(Shell& shell, std::uint32_t seed)
    : shell_(shell),
      random_(seed),
      titleBar_(shell),
      statusTexts_(shell),
      canvasInput_(model_, selection_, interaction_, random_, shell, *this),
      fileFlows_(model_, shell, *this) {}

void Editor::Start(const std::string& commandLine, const std::string& executableDirectory) {
    ApplyColourSlots();
    FitCanvas(model_.properties.canvasWidth, model_.properties.canvasHeight);
    RefreshToolMode();
    fileFlows_.DialogRecord().initialDirectory = executableDirectory;
    UpdateTitle();
    const bool recovered = OfferLeftBehindWork(recovery_, shell_, fileFlows_);
    // Made absolute as a hand-over's path is, so that the dialogs propose whole paths.
    const std::string path = AbsolutePath(PathFromCommandLine(commandLine));
    const bool opened = !path.empty() && fileFlows_.OpenModelFile(path);
    exportOptions_.Reset();
    if (!recovered && !opened) {
        StartDocument({}, true);
    }
    ShowHistoryButtons();
}

void Editor::Command(CommandId id) {
    const zef::Command& command = FindCommand(id);
    if (GuardHolds(command.guard, CommandStateNow())) {
        command.run(*this);
    }
}

void Editor::FrameTick() {
    if (!exportRunning_) {
        PaintCanvas();
    }
}

void Editor::ShakeTick() {
    if (!exportRunning_) {
        model_.RegenerateShake(random_);
    }
}

void Editor::RecoveryTick(RecoveryKeeper::Clock::time_point now) {
    if (!exportRunning_) {
        recovery_.Tick(model_, now);
    }
}

void Editor::KeyDown(Key key, ShellWindow receiver) {
    if (key == Key::kCtrl || key == Key::kShift) {
        UpdateCursor();
    } else if (key == Key::kEscape && !canvasInput_.GestureHeld()) {
        fileFlows_.Close(receiver);
    }
}

void Editor::KeyUp(Key key) {
    if (key == Key::kCtrl || key == Key::kShift) {
        UpdateCursor();
    }
}

void Editor::PaintCanvas() {
    interaction_.cursorSample = shell_.PointerPosition();
    ReportFrame(renderer_.RenderModel(model_, selection_));
    if (!renderer_.VtrMode()) {
        statusTexts_.UpdateCountPane(model_.document.drawnPointCount);
        renderer_.DrawOverlays(model_, selection_, interaction_);
    }
    const Bitmap& canvas = renderer_.Canvas();
    shell_.Present(canvas, {std::clamp(model_.properties.canvasWidth, 0, canvas.Width()),
                            std::clamp(model_.properties.canvasHeight, 0, canvas.Height())});
}

void Editor::FitCanvas(std::int32_t width, std::int32_t height) {
    const CanvasSize size = zef::FitCanvas(shell_, width, height);
    model_.properties.canvasWidth = size.width;
    model_.properties.canvasHeight = size.height;
    UpdateSizePane();
}

void Editor::TakeSnapshot() {
    const bool recorded = history_.TakeSnapshot(model_);
    ShowHistoryButtons();
    FollowHistory(recorded);
}

void Editor::UpdateTitle() {
    titleBar_.UpdateTitle(model_.document);
    NoteChange();
}

void Editor::ReportFrame(const RenderReport& report) {
    if (report.stepProgressBar) {
        shell_.StepProgress();
    }
    if (report.replayCompleted) {
        RefreshToolMode();
    }
}

ExportScene Editor::Scene() {
    return {model_, renderer_, random_, selection_};
}

// The buttons answer the change of tool or mode first, with the selection as the change left
// it; the toolbar state then drops the selection of any tool but the range tool, and shows it.
void Editor::RefreshToolMode() {
    ShowEnabling(shell_, CommandStateNow());
    ShowToolMode(shell_, statusTexts_,
                 ToolModeViewFor(interaction_.tool, renderer_.VtrMode(), model_, selection_));
    RefreshToolbarState();
    UpdateCursor();
}

void Editor::UpdateCursor() {
    shell_.SetCursorShape(
        CursorFor(interaction_.tool, selection_, shell_.CtrlHeld(), shell_.ShiftHeld()));
}

void Editor::SelectTool(Tool tool) {
    interaction_.tool = tool;
    RefreshToolMode();
}

void Editor::SelectRangeTool() {
    interaction_.tool = Tool::kRangeSelection;
    Apply(zef::DeselectAll(model_, selection_));
    RefreshToolMode();
}

void Editor::SelectAll() {
    interaction_.tool = Tool::kRangeSelection;
    Apply(zef::SelectAll(model_, selection_));
    RefreshToolMode();
}

void Editor::InvertSelection() {
    interaction_.tool = Tool::kRangeSelection;
    Apply(zef::InvertSelection(model_, selection_));
    RefreshToolMode();
}

void Editor::ToggleMoveMode() {
    selection_.scaleMode = false;
    selection_.moveMode = !selection_.moveMode;
    RefreshToolMode();
}

void Editor::ToggleScaleMode() {
    selection_.scaleFactor = 1.0f;
    selection_.scaleMode = !selection_.scaleMode;
    selection_.moveMode = false;
    RefreshToolMode();
}

void Editor::ToggleVtrMode() {
    SetVtrMode(!renderer_.VtrMode());
    RefreshToolMode();
}

void Editor::ToggleShaking() {
    model_.document.shakingOn = model_.document.shakingOn == 0 ? 1 : 0;
    RefreshToolMode();
}

void Editor::DeleteSelectedSegments() {
    Apply(zef::DeleteSelectedSegments(model_, selection_));
}

void Editor::StraightenSelection() {
    Apply(zef::StraightenSelection(model_));
}

void Editor::RemoveLastLine() {
    Apply(zef::RemoveLastLine(model_));
}

void Editor::Undo() {
    if (StepHistory(HistoryStep::kUndo, history_, model_, selection_, *this)) {
        FollowHistory(true);
    }
}

void Editor::Redo() {
    if (StepHistory(HistoryStep::kRedo, history_, model_, selection_, *this)) {
        FollowHistory(true);
    }
}

void Editor::ShowDialog(DialogId dialog) {
    shell_.RunDialog(dialog);
}

PropertiesSession Editor::OpenPropertiesSession() {
    return {model_.properties, renderer_, *this, fileFlows_.NewModelMarker()};
}

bool Editor::VtrMode() const {
    return renderer_.VtrMode();
}

void Editor::UpdateSizePane() {
    statusTexts_.UpdateSizePane(model_.properties.canvasWidth, model_.properties.canvasHeight);
}

void Editor::RefreshToolbarState() {
    // Only the range selection tool keeps a selection and its move and scale modes.
    if (interaction_.tool != Tool::kRangeSelection) {
        zef::DeselectAll(model_, selection_);
    }
    CommandState state = CommandStateNow();
    state.change = ToolbarChange::kSelection;
    ShowPressed(shell_, state);
    ShowEnabling(shell_, state);
}

CommandState Editor::CommandStateNow() const {
    return {.vtrMode = renderer_.VtrMode(),
            .tool = interaction_.tool,
            .selectionExists = selection_.selectionExists,
            .moveMode = selection_.moveMode,
            .scaleMode = selection_.scaleMode,
            .shaking = model_.document.shakingOn != 0,
            .gestureHeld = canvasInput_.GestureHeld()};
}

void Editor::ShowAppendOutOfMemory() {
    shell_.ShowMessage({texts::kAppendOutOfMemory, texts::kAppCaption, MessageButtons::kOk,
                        MessageIcon::kError, ShellWindow::kCanvas});
}

void Editor::ApplyColourSlots() {
    renderer_.ApplyColourSlots(model_.properties);
}

void Editor::SetVtrMode(bool on) {
    if (on) {
        renderer_.StartReplay();
    } else {
        renderer_.StopReplay();
    }
}

void Editor::ShowHistoryButtons() {
    shell_.EnableCommand(CommandId::kUndo, history_.CanUndo());
    shell_.EnableCommand(CommandId::kRedo, history_.CanRedo());
}

void Editor::DiscardRecoveryCopy() {
    recovery_.Discard();
}

void Editor::StartDocument(DocumentIdentity identity, bool saved) {
    const bool recorded = history_.StartDocument(model_, std::move(identity), saved);
    ShowHistoryButtons();
    FollowHistory(recorded);
}

void Editor::DocumentSaved(DocumentIdentity identity) {
    history_.DocumentSaved(model_, std::move(identity));
    FollowHistory(true);
}

void Editor::ResetTools() {
    interaction_.tool = Tool::kStraightLine;
    selection_.moveMode = false;
    selection_.scaleMode = false;
}

void Editor::FollowHistory(bool modelRecorded) {
    DocumentState& document = model_.document;
    const DocumentIdentity& identity = history_.CurrentDocument();
    document.path = identity.path;
    document.title = identity.title;
    document.modified = !(modelRecorded && history_.CurrentIsSaved());
    UpdateTitle();
}

void Editor::Apply(const EditResult& result) {
    if (result.refreshToolbar) {
        RefreshToolbarState();
    }
    if (result.snapshot) {
        TakeSnapshot();
    }
}

void Editor::NoteChange() {
    recovery_.Changed(model_, RecoveryKeeper::Clock::now());
}

}  // namespace zef
