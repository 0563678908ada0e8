#pragma once

#include <string>

#include "export/ExportFormat.h"

namespace zef {

// How an export ended. The memory outcomes name what could not be had:
// - kNoWorkBuffer: the frame itself (an output size no GIF, WebP or buffer can hold is
//   refused before any frame is rendered), the rendered frame, its resized copy or the image
//   made of it;
// - kNoFrameStore: the GIF writer's frames (the frame held back for merging, the picture a
//   viewer shows, the candidate boxes), or the WebP writer's frames and encoder;
// - kNoAnimationInfo: the palette of the animation (the colour count over all frames) and the
//   GIF encoder's state, or the WebP encoder's compressed frames.
// kCancelled: stopped on request after a frame, with nothing of the export left behind.
// kNothingFits: under a byte limit, even the smallest size made a larger file; nothing written.
enum class ExportOutcome {
    kDone,
    kNoWorkBuffer,
    kNoFrameStore,
    kNoAnimationInfo,
    kWriteFailed,
    kCancelled,
    kNothingFits
};

struct ExportResult {
    ExportOutcome outcome = ExportOutcome::kDone;
    // Why a video's write failed, shown after the failure message: ffmpeg missing, or its exit
    // status with its own messages. Empty otherwise.
    std::string detail;
    bool Succeeded() const { return outcome == ExportOutcome::kDone; }
};

// The memory message an outcome is shown with first (owned by the main window, error icon),
// or nullptr when there is none.
const char* MemoryMessage(ExportOutcome outcome, ExportFormat format);
// The message that closes an export: success, failure, or for a cancel the status text it
// ends with.
const char* ClosingMessage(ExportOutcome outcome, ExportFormat format);

}  // namespace zef
