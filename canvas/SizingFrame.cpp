#include "canvas/SizingFrame.h"

#include <algorithm>

namespace zef {

bool DragsLeftEdge(FrameEdge edge) {
    return edge == FrameEdge::kLeft || edge == FrameEdge::kTopLeft ||
           edge == FrameEdge::kBottomLeft;
}

bool DragsRightEdge(FrameEdge edge) {
    return edge == FrameEdge::kRight || edge == FrameEdge::kTopRight ||
           edge == FrameEdge::kBottomRight;
}

bool DragsTopEdge(FrameEdge edge) {
    return edge == FrameEdge::kTop || edge == FrameEdge::kTopLeft || edge == FrameEdge::kTopRight;
}

bool DragsBottomEdge(FrameEdge edge) {
    return edge == FrameEdge::kBottom || edge == FrameEdge::kBottomLeft ||
           edge == FrameEdge::kBottomRight;
}

std::optional<FrameEdge> FrameEdgeAt(CanvasPoint point, CanvasSize window, std::int32_t border) {
    const bool onLeft = point.x < border;
    const bool onRight = point.x >= window.width - border;
    const bool onTop = point.y < border;
    const bool onBottom = point.y >= window.height - border;
    if (!onLeft && !onRight && !onTop && !onBottom) {
        return std::nullopt;
    }
    const bool horizontalSide = onTop || onBottom;
    const bool verticalSide = onLeft || onRight;
    const bool left = onLeft || (horizontalSide && point.x < kCornerReach);
    const bool right = onRight || (horizontalSide && point.x >= window.width - kCornerReach);
    const bool top = onTop || (verticalSide && point.y < kCornerReach);
    const bool bottom = onBottom || (verticalSide && point.y >= window.height - kCornerReach);
    if (top) {
        return left ? FrameEdge::kTopLeft : right ? FrameEdge::kTopRight : FrameEdge::kTop;
    }
    if (bottom) {
        return left ? FrameEdge::kBottomLeft : right ? FrameEdge::kBottomRight : FrameEdge::kBottom;
    }
    return left ? FrameEdge::kLeft : FrameEdge::kRight;
}

FrameRect DraggedFrame(FrameEdge edge, FrameRect start, CanvasPoint travel, std::int32_t smallest) {
    FrameRect dragged = start;
    if (DragsLeftEdge(edge)) {
        dragged.left = std::min(dragged.left + travel.x, dragged.right - smallest);
    }
    if (DragsRightEdge(edge)) {
        dragged.right = std::max(dragged.right + travel.x, dragged.left + smallest);
    }
    if (DragsTopEdge(edge)) {
        dragged.top = std::min(dragged.top + travel.y, dragged.bottom - smallest);
    }
    if (DragsBottomEdge(edge)) {
        dragged.bottom = std::max(dragged.bottom + travel.y, dragged.top + smallest);
    }
    return dragged;
}

}  // namespace zef
