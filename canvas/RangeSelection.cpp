#include "canvas/RangeSelection.h"

#include <algorithm>

namespace zef {

void SelectInRectangle(Model& model, SelectionState& selection, CanvasPoint anchor,
                       CanvasPoint sample, bool shift) {
    const std::int32_t left = std::min(anchor.x, sample.x);
    const std::int32_t right = std::max(anchor.x, sample.x);
    const std::int32_t top = std::min(anchor.y, sample.y);
    const std::int32_t bottom = std::max(anchor.y, sample.y);
    const std::uint8_t inside = shift ? 0 : 1;
    bool anySelected = false;
    for (PointRecord& point : model.points) {
        if (point.x >= left && point.x < right && point.y >= top && point.y < bottom) {
            point.selected = inside;
        }
        anySelected |= point.selected == 1;
    }
    selection.selectionExists = anySelected;
}

}  // namespace zef
