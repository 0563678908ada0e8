#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/shell/Shell.h"

class QWidget;

namespace zef::ui {

class MainWindow;

// The Shell on the main window's widgets: the caption, the toolbar's buttons, the status bar
// with its progress bar, the canvas widget and the pointer over it, the message boxes, file
// dialogs and dialogs the windows own, and the event loop.
class MainWindowShell : public Shell {
  public:
    explicit MainWindowShell(MainWindow& window) : window_(window) {}

    // Set once the close flow has decided that the program ends.
    bool QuitRequested() const { return quitRequested_; }
    // Forgets that decision, so that the next close flow's own can be read.
    void ForgetQuit() { quitRequested_ = false; }

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
    void BringToForeground() override;
    void PumpOneEvent() override;
    void Quit() override;
    CanvasPoint PointerPosition() override;
    void Present(const Bitmap& frame, CanvasSize visible) override;
    // The canvas window's state; the pointer on the screen also answers the canvas widget's
    // frame drag.
    bool LeftButtonHeld() const override;
    bool CtrlHeld() const override;
    bool ShiftHeld() const override;
    CanvasPoint PointerScreenPosition() const override;
    void ConfinePointer(ConfineArea area) override;
    void ReleasePointer() override;
    CanvasSize CanvasWindowOuterSize(CanvasSize client) const override;

  private:
    QWidget& OwnerWidget(ShellWindow owner);

    MainWindow& window_;
    std::optional<ConfineArea> confinedTo_;
    bool quitRequested_ = false;
};

}  // namespace zef::ui
