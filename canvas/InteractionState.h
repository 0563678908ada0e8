#pragma once

#include <cstdint>

namespace zef {

// The tools of the toolbar.
enum class Tool {
    kStraightLine,
    kCurve,
    kRectangle,
    kEllipse,
    kFilledRectangle,
    kFilledEllipse,
    kRangeSelection,
};

struct CanvasPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend constexpr bool operator==(const CanvasPoint&, const CanvasPoint&) = default;
};

// The state of the mouse handling on the canvas; run-time only.
struct InteractionState {
    Tool tool = Tool::kStraightLine;
    bool dragInProgress = false;
    // Rectangle, ellipse and range selection: the button-down point; curve: the last point
    // added; move: the cursor sample at the previous step.
    CanvasPoint anchor;
    int curveMoveCounter = 0;
    // The cursor in canvas coordinates, sampled once per frame; the mouse handling works on
    // this sample only, never on the coordinates of a mouse event.
    CanvasPoint cursorSample;
    CanvasPoint lastFrameDragCursor;  // screen coordinates, previous step of a frame drag
};

}  // namespace zef
