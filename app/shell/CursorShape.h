#pragma once

namespace zef {

// The pointer shapes the canvas window shows.
enum class CursorShape {
    kRangeCross,  // range selection
    kRangePlus,   // range selection while Ctrl is held
    kRangeMinus,  // range selection while Shift is held and Ctrl is not
    kHorizontalResize,
    kFourWayMove,
    kArrow,
};

}  // namespace zef
