#include "ui/FlowGuard.h"

#include <QApplication>

#include "app/editor/Editor.h"

namespace zef::ui {

bool FlowGuard::Busy() const {
    return flowDepth_ > 0 || editor_.ExportRunning() || QApplication::activeModalWidget();
}

// The model stays as the last step that ended left it, and the editor goes on; a pointer held
// by a drag is let go, so that the message can be answered.
void FlowGuard::ReportFailure(const char* text) {
    if (reportingFailure_) {
        return;
    }
    reportingFailure_ = true;
    shell_.ReleasePointer();
    shell_.ShowMessage(
        {text, texts::kAppCaption, MessageButtons::kOk, MessageIcon::kError, ShellWindow::kMain});
    reportingFailure_ = false;
}

}  // namespace zef::ui
