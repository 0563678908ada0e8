#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/shell/Shell.h"

namespace zef::test {

// A Shell that keeps what the program showed and answers questions and dialogs from a script. Its
// canvas window has a sizing border of kBorder pixels on every side, and the main window's
// client area holds an 800 x 600 canvas between a toolbar and a status bar.
class FakeShell : public Shell {
  public:
    static constexpr std::int32_t kBorder = 3;

    void SetCaption(const std::string& text) override { caption = text; }
    void SetStatusText(StatusPane pane, const std::string& text) override { panes[pane] = text; }
    void EnableCommand(CommandId id, bool on) override { enabled[id] = on; }
    void PressCommand(CommandId id, bool on) override { pressed[id] = on; }
    void ShowProgress(bool shown) override {
        progressShown = shown;
        progressHides += shown ? 0 : 1;
    }
    void SetProgressRange(std::int32_t, std::int32_t high) override { progressHigh = high; }
    void SetProgressStep(std::int32_t step) override { progressStep = step; }
    void SetProgressPosition(std::int32_t) override {}
    void StepProgress() override { ++progressSteps; }
    void SetCursorShape(CursorShape shape) override { cursor = shape; }
    MessageAnswer ShowMessage(const MessageBox& box) override;
    std::optional<std::string> ChooseFile(const FileDialog& dialog) override;
    DialogResult RunDialog(DialogId dialog) override {
        dialogs.push_back(dialog);
        return dialogBehaviour ? dialogBehaviour(dialog) : DialogResult::kCancel;
    }
    MainLayout MainWindowLayout() override { return {806, 28 + 606 + 20, 28, 20}; }
    void PlaceCanvas(const PixelRect& rect) override { canvasRect = rect; }
    CanvasSize CanvasClientSize() override {
        return {canvasRect.width - 2 * kBorder, canvasRect.height - 2 * kBorder};
    }
    CanvasSize CanvasWindowOuterSize(CanvasSize client) const override {
        return {client.width + 2 * kBorder, client.height + 2 * kBorder};
    }
    void BringToForeground() override { ++foregrounds; }
    void PumpOneEvent() override {}
    void Quit() override { ++quits; }
    CanvasPoint PointerPosition() override { return pointer; }
    // The canvas client area starts at (100, 50) on the screen.
    CanvasPoint PointerScreenPosition() const override { return {pointer.x + 100, pointer.y + 50}; }
    bool CtrlHeld() const override { return ctrl; }
    bool ShiftHeld() const override { return false; }
    bool LeftButtonHeld() const override { return leftButton; }
    void ConfinePointer(ConfineArea area) override { confinedTo = area; }
    void ReleasePointer() override { confinedTo.reset(); }
    void Present(const Bitmap&, CanvasSize visible) override { lastPresented = visible; }

    // The script: answers taken in order. A question or file dialog without a scripted answer
    // fails the test and gets Cancel; RunDialog gets Cancel unless dialogBehaviour says.
    std::deque<MessageAnswer> answers;
    std::deque<std::optional<std::string>> chosenFiles;
    std::function<DialogResult(DialogId)> dialogBehaviour;

    CanvasPoint pointer;
    bool ctrl = false, leftButton = false;

    // What the program showed, as the user would see it now.
    std::string caption;
    std::map<StatusPane, std::string> panes;
    std::map<CommandId, bool> enabled, pressed;
    bool progressShown = false;
    std::int32_t progressHigh = 0, progressStep = 0;
    CursorShape cursor = CursorShape::kArrow;
    PixelRect canvasRect{0, 0, 800 + 2 * kBorder, 600 + 2 * kBorder};
    std::optional<ConfineArea> confinedTo;

    // What happened.
    std::vector<MessageBox> messages;
    std::vector<FileDialog> fileDialogs;
    std::vector<DialogId> dialogs;
    int quits = 0, foregrounds = 0, progressSteps = 0, progressHides = 0;
    CanvasSize lastPresented{0, 0};
};

}  // namespace zef::test
