#include "RangeSelection.h"

#include <gtest/gtest.h>

#include "model/PointList.h"

namespace zef {
namespace {

std::vector<int> Selected(const Model& model) {
    std::vector<int> flags;
    for (const PointRecord& point : model.points) {
        flags.push_back(point.selected);
    }
    return flags;
}

TEST(SelectInRectangleTest, LeftAndTopEdgesAreInsideRightAndBottomOutside) {
    Model model = test::ModelOf({{10, 10}, {19, 19}, {20, 15}, {15, 20}, {9, 15}});
    SelectionState selection;
    SelectInRectangle(model, selection, {20, 20}, {10, 10}, false);
    EXPECT_EQ(Selected(model), (std::vector<int>{1, 1, 0, 0, 0}));
    EXPECT_TRUE(selection.selectionExists);
}

TEST(SelectInRectangleTest, ZeroWidthFrameSelectsNothing) {
    Model model = test::ModelOf({{10, 10}, {10, 15}});
    SelectionState selection{.selectionExists = true};
    SelectInRectangle(model, selection, {10, 10}, {10, 20}, false);
    EXPECT_EQ(Selected(model), (std::vector<int>{0, 0}));
    EXPECT_FALSE(selection.selectionExists);
}

TEST(SelectInRectangleTest, FramingAddsToWhatIsSelectedAndShiftTakesAway) {
    Model model = test::ModelOf({{0, 0}, {50, 50}, {100, 100}});
    model.points[2].selected = 1;
    SelectionState selection;
    SelectInRectangle(model, selection, {40, 40}, {60, 60}, false);
    EXPECT_EQ(Selected(model), (std::vector<int>{0, 1, 1}));

    SelectInRectangle(model, selection, {90, 90}, {110, 110}, true);
    EXPECT_EQ(Selected(model), (std::vector<int>{0, 1, 0}));
    EXPECT_TRUE(selection.selectionExists);

    SelectInRectangle(model, selection, {-10, -10}, {60, 60}, true);
    EXPECT_EQ(Selected(model), (std::vector<int>{0, 0, 0}));
    EXPECT_FALSE(selection.selectionExists);
}

}  // namespace
}  // namespace zef
