#pragma once

namespace zef {

// The three panes of the status bar.
enum class StatusPane : int {
    kPointCount = 0,  // covered by the VTR progress bar in VTR mode
    kHint = 1,
    kCanvasSize = 2,
};

}  // namespace zef
