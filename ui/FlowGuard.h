#pragma once

#include <new>
#include <utility>

#include "app/shell/AppTexts.h"
#include "app/shell/Shell.h"
#include "model/ModelTexts.h"

namespace zef {
class Editor;
}

namespace zef::ui {

// Lets the editor's work for the window's events run one flow at a time, so that an event let
// through by a nested event loop never re-enters the editor, and lets no exception out of it.
class FlowGuard {
  public:
    FlowGuard(Shell& shell, const Editor& editor) : shell_(shell), editor_(editor) {}

    // True while a user's command, a canvas event or a file flow runs, a modal dialog is
    // open or an export renders: then no other one may start.
    bool Busy() const;
    // True while the message of a failure is shown.
    bool ReportingFailure() const { return reportingFailure_; }

    // Runs one of the editor's flows for an event of the user unless the editor is busy.
    template <typename Work>
    void RunFlow(Work&& work) {
        if (Busy()) {
            return;
        }
        ++flowDepth_;
        Guarded(std::forward<Work>(work));
        --flowDepth_;
    }

    // Runs editor work; no exception leaves it. An allocation failure is reported as such,
    // any other exception as an unexpected error.
    template <typename Work>
    void Guarded(Work&& work) {
        try {
            work();
        } catch (const std::bad_alloc&) {
            ReportFailure(texts::kAppendOutOfMemory);
        } catch (...) {
            ReportFailure(texts::kUnexpectedError);
        }
    }

  private:
    void ReportFailure(const char* text);

    Shell& shell_;
    const Editor& editor_;
    int flowDepth_ = 0;
    bool reportingFailure_ = false;
};

}  // namespace zef::ui
