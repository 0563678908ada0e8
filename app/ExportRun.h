#pragma once

#include "Editor.h"
#include "ExportFormat.h"
#include "ExportProgress.h"
#include "ExportResult.h"
#include "Exporters.h"

namespace zef {

// Runs an export of the editor's model for a dialog, which shows the status text and the
// progress. The export-running flag is set for the whole run, whichever way it ends, so the
// timers rest while the frames are rendered; the frames report to the main window as on the
// canvas (the VTR progress bar steps; the frame that completes the drawing ends VTR mode and
// refreshes the tool mode).
ExportResult RunExport(Editor& editor, ExportFormat format, const ExportRequest& request,
                       ExportProgress& dialog);

}  // namespace zef
