#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/shell/CommandId.h"
#include "app/shell/CursorShape.h"
#include "app/shell/DialogId.h"
#include "app/shell/FileDialog.h"
#include "app/shell/MainLayout.h"
#include "app/shell/MessageAnswer.h"
#include "app/shell/MessageBox.h"
#include "app/shell/StatusPane.h"
#include "canvas/Bitmap.h"
#include "canvas/CanvasWindow.h"
#include "canvas/InteractionState.h"
#include "canvas/PixelRect.h"
#include "model/CanvasLimits.h"

namespace zef {

// Everything the user sees or is asked goes through this port: the main window with its
// toolbar, status bar and canvas window, the message boxes and the dialogs, the pointer and
// the keys. The desktop layer implements it; the tests use a recording fake.
class Shell : public CanvasWindow {
  public:
    virtual ~Shell() = default;

    virtual void SetCaption(const std::string& text) = 0;
    virtual void SetStatusText(StatusPane pane, const std::string& text) = 0;

    // Toolbar buttons, addressed by their command.
    virtual void EnableCommand(CommandId id, bool enabled) = 0;
    virtual void PressCommand(CommandId id, bool pressed) = 0;

    // The VTR progress bar over the point-count pane.
    virtual void ShowProgress(bool shown) = 0;
    virtual void SetProgressRange(std::int32_t low, std::int32_t high) = 0;
    virtual void SetProgressStep(std::int32_t step) = 0;
    virtual void SetProgressPosition(std::int32_t position) = 0;
    virtual void StepProgress() = 0;

    virtual void SetCursorShape(CursorShape shape) = 0;

    virtual MessageAnswer ShowMessage(const MessageBox& box) = 0;
    // The chosen full path, or nothing when the dialog was cancelled.
    virtual std::optional<std::string> ChooseFile(const FileDialog& dialog) = 0;
    // Runs a modal dialog owned by the main window; the canvas keeps animating behind it.
    virtual DialogResult RunDialog(DialogId dialog) = 0;

    // The canvas window: its outer rectangle in the main window's client area, and its client
    // size.
    virtual MainLayout MainWindowLayout() = 0;
    virtual void PlaceCanvas(const PixelRect& rect) = 0;
    virtual CanvasSize CanvasClientSize() = 0;

    // Restores the main window from minimized or maximized and brings it to the front, also
    // when another program holds the foreground.
    virtual void BringToForeground() = 0;
    // Handles one waiting event, if any, and returns at once.
    virtual void PumpOneEvent() = 0;
    // Ends the event loop; the program then shuts down.
    virtual void Quit() = 0;

    // The pointer in canvas client coordinates; the rest of the pointer and the keys are the
    // canvas window's.
    virtual CanvasPoint PointerPosition() = 0;

    // Shows the top-left `visible` part of the finished frame in the canvas window.
    virtual void Present(const Bitmap& frame, CanvasSize visible) = 0;
};

}  // namespace zef
