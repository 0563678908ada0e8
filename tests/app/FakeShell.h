#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "Shell.h"

namespace zef::test {

// A Shell that records every call and answers questions and dialogs from a script. Its
// canvas window has a sizing border of kBorder pixels on every side, and the main window's
// client area holds an 800 x 600 canvas between a toolbar and a status bar.
class FakeShell : public Shell {
  public:
    static constexpr std::int32_t kBorder = 3;

    void SetCaption(const std::string& text) override;
    void SetStatusText(StatusPane pane, const std::string& text) override;
    void EnableCommand(CommandId id, bool enabled) override;
    void PressCommand(CommandId id, bool pressed) override;
    void ShowProgress(bool shown) override;
    void SetProgressRange(std::int32_t low, std::int32_t high) override;
    void SetProgressStep(std::int32_t step) override;
    void SetProgressPosition(std::int32_t position) override;
    void StepProgress() override;
    void SetCursorShape(CursorShape shape) override;
    MessageAnswer ShowMessage(const MessageBox& box) override;
    std::optional<std::string> ChooseFile(const FileDialog& dialog) override;
    DialogResult RunDialog(DialogId dialog) override;
    MainLayout MainWindowLayout() override;
    void PlaceCanvas(const PixelRect& rect) override;
    CanvasSize CanvasClientSize() override;
    CanvasSize CanvasFrameSize(CanvasSize client) override;
    void BringToForeground() override;
    void PumpOneEvent() override;
    void Quit() override;
    CanvasPoint PointerPosition() override;
    CanvasPoint ScreenPointerPosition() override;
    bool IsCtrlDown() override;
    bool IsShiftDown() override;
    bool IsLeftButtonDown() override;
    void ConfinePointer(ConfineArea area) override;
    void ReleasePointer() override;
    void Present(const Bitmap& frame, CanvasSize visible) override;

    // The script: answers taken in order. A question or dialog without a scripted answer
    // fails the test and gets Cancel.
    std::deque<MessageAnswer> answers;
    std::deque<std::optional<std::string>> chosenFiles;
    // Run inside RunDialog, standing in for what the dialog does; Cancel unless it says.
    std::function<DialogResult(DialogId)> dialogBehaviour;

    // The input devices.
    CanvasPoint pointer;
    CanvasPoint screenOrigin{100, 50};  // screen position of the canvas client area
    bool ctrl = false;
    bool shift = false;
    bool leftButton = false;

    // What the program showed, as the user would see it now.
    std::string caption;
    std::map<StatusPane, std::string> panes;
    std::map<CommandId, bool> enabled;
    std::map<CommandId, bool> pressed;
    bool progressShown = false;
    std::int32_t progressLow = 0;
    std::int32_t progressHigh = 0;
    std::int32_t progressStep = 0;
    std::int32_t progressPosition = 0;
    CursorShape cursor = CursorShape::kArrow;
    PixelRect canvasRect{0, 0, 800 + 2 * kBorder, 600 + 2 * kBorder};
    MainLayout layout{806, 28 + 606 + 20, 28, 20};
    std::optional<ConfineArea> confinedTo;

    // What happened.
    std::vector<std::string> calls;  // one line per call, such as "SetCaption <text>"
    std::vector<MessageBox> messages;
    std::vector<FileDialog> fileDialogs;
    std::vector<DialogId> dialogs;
    int captionsSet = 0;
    int presents = 0;
    int quits = 0;
    int foregrounds = 0;
    CanvasSize lastPresented{0, 0};

    int CountCalls(const std::string& prefix) const;
    void ClearRecord();
};

}  // namespace zef::test
