#pragma once

#include <cstdint>
#include <string>

#include "canvas/RenderReport.h"

namespace zef {

// What an export shows while it runs: the export dialog's status text and progress bar, or
// zefcli's progress lines; once a frame, a chance for waiting events; and whether the person
// (the dialog's Cancel) or the system (a signal to zefcli) asked the export to stop.
class ExportProgress {
  public:
    virtual ~ExportProgress() = default;

    virtual void SetStatusText(const std::string& text) = 0;
    virtual void SetProgressRange(std::int32_t low, std::int32_t high) = 0;
    virtual void StepProgress() = 0;
    // Handles one waiting event, if any; called once a frame.
    virtual void PumpOneEvent() = 0;
    // The renderer's report of a frame that goes into the file, as on the canvas: the replay
    // progress bar steps, and the frame that completes the drawing ends the replay.
    virtual void FrameRendered(const RenderReport& report) = 0;
    virtual bool CancelRequested() const = 0;

    // Handles one waiting event, then tells whether the export goes on: false once a cancel
    // was asked for, so the frame in hand is the last.
    bool KeepGoing() {
        PumpOneEvent();
        return !CancelRequested();
    }
};

}  // namespace zef
