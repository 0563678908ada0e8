#include "FakeShell.h"

#include <gtest/gtest.h>

namespace zef::test {

void FakeShell::SetCaption(const std::string& text) {
    caption = text;
    ++captionsSet;
}

void FakeShell::SetStatusText(StatusPane pane, const std::string& text) {
    panes[pane] = text;
}

void FakeShell::EnableCommand(CommandId id, bool on) {
    enabled[id] = on;
}

void FakeShell::PressCommand(CommandId id, bool on) {
    pressed[id] = on;
}

void FakeShell::ShowProgress(bool shown) {
    progressShown = shown;
    progressHides += shown ? 0 : 1;
}

void FakeShell::SetProgressRange(std::int32_t, std::int32_t high) {
    progressHigh = high;
}

void FakeShell::SetProgressStep(std::int32_t step) {
    progressStep = step;
}

void FakeShell::SetProgressPosition(std::int32_t) {}

void FakeShell::StepProgress() {
    ++progressSteps;
}

void FakeShell::SetCursorShape(CursorShape shape) {
    cursor = shape;
}

MessageAnswer FakeShell::ShowMessage(const MessageBox& box) {
    messages.push_back(box);
    if (box.buttons == MessageButtons::kOk) {
        return MessageAnswer::kOk;
    }
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected question: " << box.text;
        return MessageAnswer::kCancel;
    }
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<std::string> FakeShell::ChooseFile(const FileDialog& dialog) {
    fileDialogs.push_back(dialog);
    if (chosenFiles.empty()) {
        ADD_FAILURE() << "unexpected file dialog: " << dialog.title;
        return std::nullopt;
    }
    std::optional<std::string> chosen = chosenFiles.front();
    chosenFiles.pop_front();
    return chosen;
}

DialogResult FakeShell::RunDialog(DialogId dialog) {
    dialogs.push_back(dialog);
    return dialogBehaviour ? dialogBehaviour(dialog) : DialogResult::kCancel;
}

MainLayout FakeShell::MainWindowLayout() {
    return layout;
}

void FakeShell::PlaceCanvas(const PixelRect& rect) {
    canvasRect = rect;
}

CanvasSize FakeShell::CanvasClientSize() {
    return {canvasRect.width - 2 * kBorder, canvasRect.height - 2 * kBorder};
}

CanvasSize FakeShell::CanvasFrameSize(CanvasSize client) {
    return {client.width + 2 * kBorder, client.height + 2 * kBorder};
}

void FakeShell::BringToForeground() {
    ++foregrounds;
}

void FakeShell::PumpOneEvent() {}

void FakeShell::Quit() {
    ++quits;
}

CanvasPoint FakeShell::PointerPosition() {
    return pointer;
}

CanvasPoint FakeShell::ScreenPointerPosition() {
    return {pointer.x + screenOrigin.x, pointer.y + screenOrigin.y};
}

bool FakeShell::IsCtrlDown() {
    return ctrl;
}

bool FakeShell::IsShiftDown() {
    return shift;
}

bool FakeShell::IsLeftButtonDown() {
    return leftButton;
}

void FakeShell::ConfinePointer(ConfineArea area) {
    confinedTo = area;
}

void FakeShell::ReleasePointer() {
    confinedTo.reset();
}

void FakeShell::Present(const Bitmap&, CanvasSize visible) {
    ++presents;
    lastPresented = visible;
}

void FakeShell::ClearRecord() {
    messages.clear();
    fileDialogs.clear();
    dialogs.clear();
    captionsSet = 0;
    presents = 0;
    quits = 0;
    foregrounds = 0;
    progressSteps = 0;
    progressHides = 0;
}

}  // namespace zef::test
