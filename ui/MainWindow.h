#pragma once

#include <QAction>
#include <QTimer>
#include <QToolBar>
#include <QWidget>
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <utility>

#include "app/editor/Editor.h"
#include "app/shell/MainLayout.h"
#include "ui/CanvasEventRouter.h"
#include "ui/CanvasWidget.h"
#include "ui/FlowGuard.h"
#include "ui/MainWindowShell.h"
#include "ui/StatusPanes.h"

class QSessionManager;

namespace zef::ui {

// The main window: toolbar, the canvas window between the bars, status bar, the accelerator
// keys and the timers (frames, shaking, and the recovery copy). It owns the editor, which shows
// and asks what it wants through the MainWindowShell on these widgets, and hands it the user's
// commands, the canvas's events (through a CanvasEventRouter), dropped files, the close request
// and paths handed over by a second start, each through the FlowGuard. The close box, Alt+F4
// and a logout all go through the editor's close flow.
class MainWindow : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kFrameInterval = 30;  // milliseconds
    static constexpr int kShakeInterval = 60;
    static constexpr int kRecoveryInterval = 1000;

    explicit MainWindow(std::uint32_t seed);

    Editor& editor() { return editor_; }
    MainWindowShell& shell() { return shell_; }
    CanvasWidget& canvas() { return *canvas_; }
    QToolBar& toolbar() { return *toolbar_; }
    StatusPanes& statusPanes() { return *statusPanes_; }
    // The toolbar button of a command, and its look as the editor sets it.
    QAction* CommandAction(CommandId id) const;
    void EnableCommand(CommandId id, bool enabled);
    void PressCommand(CommandId id, bool pressed);
    // The client area and the bars' heights.
    MainLayout Layout() const { return {width(), height(), toolbarHeight_, statusBarHeight_}; }
    // The rectangle between the toolbar and the status bar, on the screen.
    QRect GlobalWorkArea() const;

    void StartTimers();
    void StopTimers();
    // Set once the close flow has decided that the program ends.
    bool QuitRequested() const { return shell_.QuitRequested(); }
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

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void BuildToolbar();
    void BuildAccelerators();
    void CommitSessionData(QSessionManager& manager);
    void FrameTick();
    void ShakeTick();
    void RecoveryTick();
    // Opens the paths other starts handed over, once nothing is busy and no gesture on the
    // canvas holds the mouse button; until then they wait.
    void RunPendingHandOvers();

    // Runs one of the editor's flows for an event of the user unless the editor is busy.
    template <typename Work>
    void RunFlow(Work&& work) {
        flows_.RunFlow(std::forward<Work>(work));
    }

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
    std::deque<std::string> pendingHandOvers_;
    // The editor is made with its shell, and the guard and the canvas's events with both.
    MainWindowShell shell_;
    Editor editor_;
    FlowGuard flows_;
    CanvasEventRouter canvasEvents_;
};

}  // namespace zef::ui
