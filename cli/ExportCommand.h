#pragma once

#include <cstdio>

#include "cli/ExportArguments.h"

namespace zef {

// Exports the model as the GIF (or WebP, MP4, WebM) or BMP dialog would, printing a progress
// line for every tenth of the frames and any failure on `errors`, with ffmpeg's messages. SIGINT
// and SIGTERM stop the export after the frame in hand, leaving nothing half-written. Returns the
// exit status: 0 done, 1 when the model cannot be read or exported, 128 + the signal's number when
// stopped.
int RunExport(const ExportArguments& arguments, std::FILE* errors);

}  // namespace zef
