#pragma once

#include "app/shell/FileDialogRecord.h"
#include "canvas/RenderReport.h"
#include "export/ExportOptions.h"
#include "export/ExportScene.h"

namespace zef {

// What an export dialog's session asks of the editor: the drawing it exports, with the
// renderer, the random generator (the session draws its seed from it) and the selection; the
// export options and the file dialog's record it remembers; whether the program is ending,
// which stops an export after the frame in hand as Cancel does; and where each exported
// frame's report goes, as the canvas's go (the replay progress bar steps, and the frame that
// completes the drawing ends VTR mode and refreshes the tool mode).
class ExportHost {
  public:
    // An export under way, from its construction to its end, whichever way the export leaves
    // its scope: the editor's timers rest meanwhile.
    class [[nodiscard]] Running {
      public:
        explicit Running(ExportHost& host) : host_(host) { host_.SetExportRunning(true); }
        Running(const Running&) = delete;
        Running& operator=(const Running&) = delete;
        ~Running() { host_.SetExportRunning(false); }

      private:
        ExportHost& host_;
    };

    virtual ExportScene Scene() = 0;
    virtual ExportOptions& Options() = 0;
    virtual FileDialogRecord& DialogRecord() = 0;
    virtual bool ProgramEnding() const = 0;
    virtual void FrameRendered(const RenderReport& report) = 0;

  protected:
    ~ExportHost() = default;

  private:
    virtual void SetExportRunning(bool running) = 0;
};

}  // namespace zef
