#include "ui/MainWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QSessionManager>
#include <QShortcut>
#include <vector>

#include "app/editor/CommandTable.h"
#include "ui/CommandKeys.h"
#include "ui/QtKeys.h"
#include "ui/QtText.h"
#include "ui/ToolbarLayout.h"

namespace zef::ui {

namespace {

const QColor kClientGrey(128, 128, 128);
constexpr QSize kPictureSize(16, 15);

}  // namespace

MainWindow::MainWindow(std::uint32_t seed)
    : QWidget(nullptr),
      shell_(*this),
      editor_(shell_, seed),
      flows_(shell_, editor_),
      canvasEvents_(editor_, flows_, shell_) {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setAcceptDrops(true);
    setContextMenuPolicy(Qt::NoContextMenu);

    toolbar_ = new QToolBar(this);
    toolbar_->setIconSize(kPictureSize);
    toolbar_->setAutoFillBackground(true);
    toolbar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    BuildToolbar();
    statusPanes_ = new StatusPanes(this);
    statusPanes_->setAutoFillBackground(true);
    canvas_ = new CanvasWidget(canvasEvents_, this);
    toolbar_->raise();
    statusPanes_->raise();
    BuildAccelerators();

    toolbarHeight_ = toolbar_->sizeHint().height();
    statusBarHeight_ = statusPanes_->sizeHint().height();
    const CanvasSize largest = shell_.CanvasWindowOuterSize({kMaxCanvasWidth, kMaxCanvasHeight});
    setFixedSize(largest.width, toolbarHeight_ + largest.height + statusBarHeight_);
    canvas_->setGeometry(0, toolbarHeight_, largest.width, largest.height);

    frameTimer_.setTimerType(Qt::PreciseTimer);
    frameTimer_.setInterval(kFrameInterval);
    connect(&frameTimer_, &QTimer::timeout, this, &MainWindow::FrameTick);
    shakeTimer_.setTimerType(Qt::PreciseTimer);
    shakeTimer_.setInterval(kShakeInterval);
    connect(&shakeTimer_, &QTimer::timeout, this, &MainWindow::ShakeTick);
    recoveryTimer_.setInterval(kRecoveryInterval);
    connect(&recoveryTimer_, &QTimer::timeout, this, &MainWindow::RecoveryTick);
    connect(qApp, &QGuiApplication::commitDataRequest, this, &MainWindow::CommitSessionData);
}

QAction* MainWindow::CommandAction(CommandId id) const {
    const auto found = actions_.find(id);
    return found == actions_.end() ? nullptr : found->second;
}

void MainWindow::EnableCommand(CommandId id, bool enabled) {
    if (QAction* action = CommandAction(id)) {
        action->setEnabled(enabled);
    }
}

void MainWindow::PressCommand(CommandId id, bool pressed) {
    if (QAction* action = CommandAction(id)) {
        pressed_[id] = pressed;
        action->setChecked(pressed);
    }
}

QRect MainWindow::GlobalWorkArea() const {
    return {mapToGlobal(QPoint(0, toolbarHeight_)),
            QSize(width(), height() - toolbarHeight_ - statusBarHeight_)};
}

void MainWindow::StartTimers() {
    frameTimer_.start();
    shakeTimer_.start();
    recoveryTimer_.start();
}

void MainWindow::StopTimers() {
    frameTimer_.stop();
    shakeTimer_.stop();
    recoveryTimer_.stop();
}

void MainWindow::handOverPath(const QString& path, const QByteArray& activationToken) {
    // Qt's Wayland support activates the window with the token this variable holds.
    if (!activationToken.isEmpty()) {
        qputenv("XDG_ACTIVATION_TOKEN", activationToken);
    }
    pendingHandOvers_.push_back(LocalPath(path));
    RunPendingHandOvers();
}

void MainWindow::endWithoutAsking() {
    editor_.EndWithoutAsking();
    if (editor_.ExportRunning()) {
        return;
    }
    flows_.Guarded([this] { editor_.recovery().Seal(editor_.model()); });
    shell_.Quit();
}

void MainWindow::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), kClientGrey);
}

void MainWindow::resizeEvent(QResizeEvent*) {
    toolbar_->setGeometry(0, 0, width(), toolbarHeight_);
    statusPanes_->setGeometry(0, height() - statusBarHeight_, width(), statusBarHeight_);
}

// The close box, Alt+F4 and the window menu ask the editor, which may ask to save changes
// and ends the program through Quit.
void MainWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    RunFlow([this] { editor_.files().Close(ShellWindow::kMain); });
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    const Key key = KeyFromQt(event->key());
    RunFlow([this, key] { editor_.KeyDown(key, ShellWindow::kMain); });
}

void MainWindow::keyReleaseEvent(QKeyEvent* event) {
    const Key key = KeyFromQt(event->key());
    RunFlow([this, key] { editor_.KeyUp(key); });
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    std::vector<std::string> paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            paths.push_back(LocalPath(url.toLocalFile()));
        }
    }
    event->acceptProposedAction();
    RunFlow([this, &paths] { editor_.files().Drop(paths); });
}

void MainWindow::BuildToolbar() {
    for (const ToolbarPlace& place : kToolbarLayout) {
        if (!place) {
            toolbar_->addSeparator();
            continue;
        }
        const CommandId id = *place;
        const Command& command = FindCommand(id);
        const QString tip = Tooltip(command);
        QAction* action = toolbar_->addAction(
            QIcon(QStringLiteral(":/toolbar/%1.svg").arg(QLatin1String(command.picture))), tip);
        action->setToolTip(tip);
        action->setCheckable(command.Toggles());
        connect(action, &QAction::triggered, this, [this, action, id] {
            // A click must not change the pressed look by itself; the editor sets it.
            action->setChecked(pressed_[id]);
            RunFlow([this, id] { editor_.Command(id); });
        });
        actions_[id] = action;
    }
}

// The keys are shortcuts of their own rather than the toolbar actions' shortcuts: VTR mode
// disables most buttons, a disabled action ignores its key, and the keys must still reach the
// editor, whose command guards decide what runs.
void MainWindow::BuildAccelerators() {
    for (const Command& command : Commands()) {
        for (const CommandKey& key : command.tip.Keys()) {
            auto* shortcut = new QShortcut(QKeySequence(QtKey(key)), this);
            shortcut->setContext(Qt::WindowShortcut);
            const CommandId id = command.id;
            connect(shortcut, &QShortcut::activated, this,
                    [this, id] { RunFlow([this, id] { editor_.Command(id); }); });
        }
    }
}

// A logout asks like the close box; cancelling the save-changes question cancels the logout.
void MainWindow::CommitSessionData(QSessionManager& manager) {
    if (!manager.allowsInteraction()) {
        return;
    }
    shell_.ForgetQuit();
    RunFlow([this] { editor_.files().Close(ShellWindow::kMain); });
    manager.release();
    if (!shell_.QuitRequested()) {
        manager.cancel();
    }
}

void MainWindow::FrameTick() {
    if (!flows_.ReportingFailure()) {
        flows_.Guarded([this] { editor_.FrameTick(); });
    }
    RunPendingHandOvers();
}

void MainWindow::ShakeTick() {
    if (!flows_.ReportingFailure()) {
        flows_.Guarded([this] { editor_.ShakeTick(); });
    }
}

// Apart from the frame ticks: the model is copied here, and written on a thread of its own.
void MainWindow::RecoveryTick() {
    flows_.Guarded([this] { editor_.RecoveryTick(RecoveryKeeper::Clock::now()); });
}

void MainWindow::RunPendingHandOvers() {
    while (!pendingHandOvers_.empty() && !flows_.Busy() && !editor_.canvasInput().GestureHeld()) {
        const std::string path = pendingHandOvers_.front();
        pendingHandOvers_.pop_front();
        RunFlow([this, &path] { editor_.files().HandOver(path); });
    }
}

}  // namespace zef::ui
