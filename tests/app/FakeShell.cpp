#include "FakeShell.h"

#include <gtest/gtest.h>

#include "ProgressStep.h"

namespace zef::test {

void FakeShell::SetCaption(const std::string& text) {
    calls.push_back("SetCaption " + text);
    caption = text;
    ++captionsSet;
}

void FakeShell::SetStatusText(StatusPane pane, const std::string& text) {
    calls.push_back("SetStatusText " + std::to_string(static_cast<int>(pane)) + " " + text);
    panes[pane] = text;
}

void FakeShell::EnableCommand(CommandId id, bool on) {
    calls.push_back("EnableCommand " + std::to_string(static_cast<int>(id)) +
                    (on ? " on" : " off"));
    enabled[id] = on;
}

void FakeShell::PressCommand(CommandId id, bool on) {
    calls.push_back("PressCommand " + std::to_string(static_cast<int>(id)) + (on ? " on" : " off"));
    pressed[id] = on;
}

void FakeShell::ShowProgress(bool shown) {
    calls.push_back(shown ? "ShowProgress on" : "ShowProgress off");
    progressShown = shown;
}

void FakeShell::SetProgressRange(std::int32_t low, std::int32_t high) {
    calls.push_back("SetProgressRange " + std::to_string(low) + " " + std::to_string(high));
    progressLow = low;
    progressHigh = high;
}

void FakeShell::SetProgressStep(std::int32_t step) {
    calls.push_back("SetProgressStep " + std::to_string(step));
    progressStep = step;
}

void FakeShell::SetProgressPosition(std::int32_t position) {
    calls.push_back("SetProgressPosition " + std::to_string(position));
    progressPosition = position;
}

void FakeShell::StepProgress() {
    calls.push_back("StepProgress");
    progressPosition = SteppedProgress(progressPosition, progressStep, progressLow, progressHigh);
}

void FakeShell::SetCursorShape(CursorShape shape) {
    calls.push_back("SetCursorShape " + std::to_string(static_cast<int>(shape)));
    cursor = shape;
}

MessageAnswer FakeShell::ShowMessage(const MessageBox& box) {
    calls.push_back("ShowMessage " + box.text);
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
    calls.push_back("ChooseFile " + dialog.title);
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
    calls.push_back("RunDialog " + std::to_string(static_cast<int>(dialog)));
    dialogs.push_back(dialog);
    return dialogBehaviour ? dialogBehaviour(dialog) : DialogResult::kCancel;
}

MainLayout FakeShell::MainWindowLayout() {
    return layout;
}

void FakeShell::PlaceCanvas(const PixelRect& rect) {
    calls.push_back("PlaceCanvas " + std::to_string(rect.x) + " " + std::to_string(rect.y) + " " +
                    std::to_string(rect.width) + " " + std::to_string(rect.height));
    canvasRect = rect;
}

CanvasSize FakeShell::CanvasClientSize() {
    return {canvasRect.width - 2 * kBorder, canvasRect.height - 2 * kBorder};
}

CanvasSize FakeShell::CanvasFrameSize(CanvasSize client) {
    return {client.width + 2 * kBorder, client.height + 2 * kBorder};
}

void FakeShell::BringToForeground() {
    calls.push_back("BringToForeground");
    ++foregrounds;
}

void FakeShell::PumpOneEvent() {
    calls.push_back("PumpOneEvent");
}

void FakeShell::Quit() {
    calls.push_back("Quit");
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
    calls.push_back("ConfinePointer");
    confinedTo = area;
}

void FakeShell::ReleasePointer() {
    calls.push_back("ReleasePointer");
    confinedTo.reset();
}

void FakeShell::Present(const Bitmap&, CanvasSize visible) {
    ++presents;
    lastPresented = visible;
}

int FakeShell::CountCalls(const std::string& prefix) const {
    int count = 0;
    for (const std::string& call : calls) {
        count += call.starts_with(prefix) ? 1 : 0;
    }
    return count;
}

void FakeShell::ClearRecord() {
    calls.clear();
    messages.clear();
    fileDialogs.clear();
    dialogs.clear();
    captionsSet = 0;
    presents = 0;
    quits = 0;
    foregrounds = 0;
}

}  // namespace zef::test
