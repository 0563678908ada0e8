#pragma once

#include <cstdint>
#include <optional>

#include "canvas/InteractionState.h"
#include "model/CanvasLimits.h"

namespace zef {

// The edge or corner of the canvas window's sizing frame being dragged.
enum class FrameEdge {
    kLeft,
    kRight,
    kTop,
    kTopLeft,
    kTopRight,
    kBottom,
    kBottomLeft,
    kBottomRight
};

// A window rectangle in screen coordinates; right and bottom are exclusive.
struct FrameRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    friend constexpr bool operator==(const FrameRect&, const FrameRect&) = default;
};

// Which sides of the window a drag of `edge` moves.
bool DragsLeftEdge(FrameEdge edge);
bool DragsRightEdge(FrameEdge edge);
bool DragsTopEdge(FrameEdge edge);
bool DragsBottomEdge(FrameEdge edge);

// How far along an edge from a corner the corner's handle reaches.
inline constexpr std::int32_t kCornerReach = 16;

// The part of a sizing frame `border` pixels wide that lies under `point` of a window the
// size of `window` (window coordinates); nothing inside the frame. Along an edge, the first
// kCornerReach pixels from a corner belong to the corner.
std::optional<FrameEdge> FrameEdgeAt(CanvasPoint point, CanvasSize window, std::int32_t border);

// The rectangle a frame drag asks for: `start` with the dragged sides moved by the pointer's
// travel, each held so that the window stays at least `smallest` pixels wide and high.
FrameRect DraggedFrame(FrameEdge edge, FrameRect start, CanvasPoint travel, std::int32_t smallest);

}  // namespace zef
