#include "canvas/RangeSelection.h"

#include <gtest/gtest.h>

#include "tests/model/PointList.h"

namespace zef {
namespace {

TEST(SelectInRectangleTest, LeftAndTopEdgesAreInsideFramingAddsAndShiftTakesAway) {
    const struct {
        bool preselected;  // the first, second and last point
        CanvasPoint from, to;
        bool subtract;
        std::vector<int> selected;  // of (10, 10), (19, 19), (20, 15), (15, 20), (9, 15)
        bool exists;
    } cases[] = {
        {false, {20, 20}, {10, 10}, false, {1, 1, 0, 0, 0}, true},
        {false, {10, 10}, {10, 20}, false, {0, 0, 0, 0, 0}, false},  // a frame of no width
        {true, {20, 15}, {21, 16}, false, {1, 1, 1, 0, 1}, true},
        {true, {0, 0}, {30, 30}, true, {0, 0, 0, 0, 0}, false},
        {true, {15, 15}, {30, 30}, true, {1, 0, 0, 0, 1}, true},
    };
    for (const auto& c : cases) {
        Model model = test::ModelOf({{10, 10}, {19, 19}, {20, 15}, {15, 20}, {9, 15}});
        for (const std::size_t i : {0, 1, 4}) {
            model.points[i].selected = c.preselected ? 1 : 0;
        }
        SelectionState selection{.selectionExists = true};
        SelectInRectangle(model, selection, c.from, c.to, c.subtract);
        std::vector<int> selected;
        for (const PointRecord& point : model.points) {
            selected.push_back(point.selected);
        }
        EXPECT_EQ(selected, c.selected) << c.from.x << "," << c.from.y;
        EXPECT_EQ(selection.selectionExists, c.exists);
    }
}

}  // namespace
}  // namespace zef
