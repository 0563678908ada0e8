#pragma once

#include <QAction>
#include <QTimer>
#include <QToolBar>
#include <QWidget>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>

#include "app/editor/Editor.h"
#include "app/shell/Shell.h"
#include "ui/CanvasEvents.h"
#include "ui/CanvasWidget.h"
#include "ui/StatusPanes.h"

class QSessionManager;

namespace zef::ui {

// The main window: toolbar, the canvas window between the bars, status bar, the accelerator
// keys and the timers (frames, shaking, and the recovery copy). It shows and asks what the editor
// wants through the Shell, and hands the editor the user's commands, the canvas's events, dropped
// files, the close request and paths handed over by a second start. The close box, Alt+F4 and
// a logout all go through the editor's close flow.
class MainWindow : public QWidget, public Shell, private CanvasEvents {
    Q_OBJECT

  public:
    static constexpr int kFrameInterval = 30;  // milliseconds
    static constexpr int kShakeInterval = 60;
    static constexpr int kRecoveryInterval = 1000;

    explicit MainWindow(std::uint32_t seed);

    Editor& editor() { return editor_; }
    CanvasWidget& canvas() { return *canvas_; }
    QToolBar& toolbar() { return *toolbar_; }
    StatusPanes& statusPanes() { return *statusPanes_; }
    // The toolbar button of a command.
    QAction* CommandAction(CommandId id) const;

    void StartTimers();
    void StopTimers();
    // Set once the close flow has decided that the program ends.
    bool QuitRequested() const { return quitRequested_; }
    // Set once the program is told to end without asking anything.
    bool EndingWithoutAsking() const { return editor_.EndingWithoutAsking(); }

  public slots:
    // A path handed over by a second start: the window comes forward (with the desktop's
    // activation token of that start, if any) and the editor opens the file, asking to save
    // changes first. While a dialog is open or an export runs it waits until the editor is
    // idle again.
    void handOverPath(const QString& path, const QByteArray& activationToken = {});
    // The program is told to end (a signal of the system, the session or the terminal ending)
    // and cannot ask to save changes: the recovery copy is brought up to date and kept, and
    // the event loop ends. A running export is cancelled first; the rest follows once its
    // dialog has closed, the model's own properties back in place.
    void endWithoutAsking();

  signals:
    void framePresented();

  public:
    // The Shell.
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

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // The canvas's events.
    void CanvasResized(std::int32_t width, std::int32_t height) override;
    void CanvasMouseMoved() override;
    void CanvasLeftPressed() override;
    void CanvasLeftReleased() override;
    void CanvasRightPressed() override;
    void CanvasKeyPressed(Key key) override;
    void CanvasKeyReleased(Key key) override;
    void FrameDragStarted() override;
    FrameRect FrameDragStep(FrameEdge edge, FrameRect proposed) override;
    void FrameDragEnded() override;

    void BuildToolbar();
    void BuildAccelerators();
    void CommitSessionData(QSessionManager& manager);
    void FrameTick();
    void ShakeTick();
    void RecoveryTick();
    // Opens the paths other starts handed over, once nothing is busy and no gesture on the
    // canvas holds the mouse button; until then they wait.
    void RunPendingHandOvers();
    QWidget& OwnerWidget(ShellWindow owner);
    // The rectangle between the toolbar and the status bar, on the screen.
    QRect GlobalWorkArea() const;

    // True while a user's command, a canvas event or a file flow runs, a modal dialog is
    // open or an export renders: then no other one may start.
    bool Busy() const;
    // Runs one of the editor's flows for an event of the user unless the editor is busy.
    template <typename Work>
    void RunFlow(Work&& work);
    // Runs editor work; no exception leaves it. An allocation failure is reported as such,
    // any other exception as an unexpected error.
    template <typename Work>
    void Guarded(Work&& work);
    void ReportFailure(const char* text);

    QToolBar* toolbar_;
    StatusPanes* statusPanes_;
    CanvasWidget* canvas_;
    std::map<CommandId, QAction*> actions_;
    std::map<CommandId, bool> pressed_;
    QTimer frameTimer_;
    QTimer shakeTimer_;
    QTimer recoveryTimer_;
    int toolbarHeight_ = 0;
    int statusBarHeight_ = 0;
    std::optional<ConfineArea> confinedTo_;
    int flowDepth_ = 0;
    bool reportingFailure_ = false;
    bool quitRequested_ = false;
    std::deque<std::string> pendingHandOvers_;
    Editor editor_;
};

}  // namespace zef::ui
