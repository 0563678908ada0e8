#include "ui/MainWindowShell.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMessageBox>
#include <QThread>
#include <algorithm>

#include "ui/DialogMessage.h"
#include "ui/DialogRunner.h"
#include "ui/FileChooser.h"
#include "ui/MainWindow.h"
#include "ui/QtText.h"

namespace zef::ui {

namespace {

CanvasPoint Clamped(QPoint point, const QRect& area) {
    return {std::clamp(point.x(), area.left(), std::max(area.left(), area.right())),
            std::clamp(point.y(), area.top(), std::max(area.top(), area.bottom()))};
}

}  // namespace

void MainWindowShell::SetCaption(const std::string& text) {
    window_.setWindowTitle(FromUtf8(text));
}

void MainWindowShell::SetStatusText(StatusPane pane, const std::string& text) {
    window_.statusPanes().Pane(pane).setText(FromUtf8(text));
}

void MainWindowShell::EnableCommand(CommandId id, bool enabled) {
    window_.EnableCommand(id, enabled);
}

void MainWindowShell::PressCommand(CommandId id, bool pressed) {
    window_.PressCommand(id, pressed);
}

void MainWindowShell::ShowProgress(bool shown) {
    window_.statusPanes().Progress().setVisible(shown);
}

void MainWindowShell::SetProgressRange(std::int32_t low, std::int32_t high) {
    window_.statusPanes().Progress().setRange(low, high);
}

void MainWindowShell::SetProgressStep(std::int32_t step) {
    window_.statusPanes().SetStep(step);
}

void MainWindowShell::SetProgressPosition(std::int32_t position) {
    window_.statusPanes().Progress().setValue(position);
}

void MainWindowShell::StepProgress() {
    window_.statusPanes().Step();
}

void MainWindowShell::SetCursorShape(CursorShape shape) {
    window_.canvas().SetClientCursor(shape);
}

MessageAnswer MainWindowShell::ShowMessage(const MessageBox& box) {
    QMessageBox message(QtMessageIcon(box.icon), FromUtf8(box.caption), FromUtf8(box.text),
                        QMessageBox::NoButton, &OwnerWidget(box.owner));
    switch (box.buttons) {
        case MessageButtons::kOk:
            message.setStandardButtons(QMessageBox::Ok);
            break;
        case MessageButtons::kYesNoCancel:
            message.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            message.setDefaultButton(QMessageBox::Yes);
            break;
        case MessageButtons::kYesNoDefaultNo:
            message.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            message.setDefaultButton(QMessageBox::No);
            message.setEscapeButton(QMessageBox::No);
            break;
        case MessageButtons::kYesNo:
            message.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            message.setDefaultButton(QMessageBox::Yes);
            break;
    }
    switch (message.exec()) {
        case QMessageBox::Yes:
            return MessageAnswer::kYes;
        case QMessageBox::No:
            return MessageAnswer::kNo;
        case QMessageBox::Ok:
            return MessageAnswer::kOk;
        default:
            return MessageAnswer::kCancel;
    }
}

std::optional<std::string> MainWindowShell::ChooseFile(const FileDialog& dialog) {
    return ui::ChooseFile(OwnerWidget(dialog.owner), dialog);
}

// An export that the program's end cancelled leaves that end to be carried out here.
DialogResult MainWindowShell::RunDialog(DialogId dialog) {
    const DialogResult result = RunModalDialog(dialog, window_, *this, window_.editor());
    if (window_.EndingWithoutAsking() && !quitRequested_) {
        window_.endWithoutAsking();
    }
    return result;
}

MainLayout MainWindowShell::MainWindowLayout() {
    return window_.Layout();
}

void MainWindowShell::PlaceCanvas(const PixelRect& rect) {
    window_.canvas().setGeometry(rect.x, rect.y, rect.width, rect.height);
}

CanvasSize MainWindowShell::CanvasClientSize() {
    return window_.canvas().ClientSize();
}

void MainWindowShell::BringToForeground() {
    if (window_.isMinimized()) {
        window_.showNormal();
    } else {
        window_.show();
    }
    window_.raise();
    window_.activateWindow();
}

void MainWindowShell::PumpOneEvent() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

// Ends the running event loop; without one (a window driven by tests) nothing is left to end,
// and an exit asked for then would end the next loop at once.
void MainWindowShell::Quit() {
    quitRequested_ = true;
    if (QThread::currentThread()->loopLevel() > 0) {
        QCoreApplication::exit(0);
    }
}

CanvasPoint MainWindowShell::PointerPosition() {
    const CanvasWidget& canvas = window_.canvas();
    const QPoint pointer = canvas.ClientFromGlobal(QCursor::pos());
    if (confinedTo_ == ConfineArea::kCanvasClient) {
        const CanvasSize client = canvas.ClientSize();
        return Clamped(pointer, QRect(0, 0, client.width, client.height));
    }
    return {pointer.x(), pointer.y()};
}

CanvasPoint MainWindowShell::PointerScreenPosition() const {
    const QPoint pointer = QCursor::pos();
    if (confinedTo_ == ConfineArea::kCanvasClient) {
        return Clamped(pointer, window_.canvas().GlobalClientRect());
    }
    if (confinedTo_ == ConfineArea::kMainBetweenBars) {
        return Clamped(pointer, window_.GlobalWorkArea());
    }
    return {pointer.x(), pointer.y()};
}

bool MainWindowShell::LeftButtonHeld() const {
    return QGuiApplication::mouseButtons().testFlag(Qt::LeftButton);
}

bool MainWindowShell::CtrlHeld() const {
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier);
}

bool MainWindowShell::ShiftHeld() const {
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
}

void MainWindowShell::ConfinePointer(ConfineArea area) {
    confinedTo_ = area;
    if (window_.canvas().isVisible()) {
        window_.canvas().grabMouse();
    }
}

void MainWindowShell::ReleasePointer() {
    if (confinedTo_) {
        confinedTo_.reset();
        window_.canvas().releaseMouse();
    }
}

CanvasSize MainWindowShell::CanvasWindowOuterSize(CanvasSize client) const {
    return {client.width + 2 * CanvasWidget::kBorder, client.height + 2 * CanvasWidget::kBorder};
}

void MainWindowShell::Present(const Bitmap& frame, CanvasSize visible) {
    window_.canvas().Present(frame, visible);
    emit window_.framePresented();
}

QWidget& MainWindowShell::OwnerWidget(ShellWindow owner) {
    if (owner == ShellWindow::kCanvas) {
        return window_.canvas();
    }
    return window_;
}

}  // namespace zef::ui
