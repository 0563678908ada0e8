#include "model/EditCommands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "tests/model/PointList.h"

namespace zef::test {
namespace {

using Edit = std::function<void(Model&, SelectionState&)>;

Edit OnModel(EditResult (*edit)(Model&)) {
    return [edit](Model& model, SelectionState&) { edit(model); };
}

Edit Moved(std::int32_t dx, std::int32_t dy) {
    return
        [=](Model& model, SelectionState& selection) { MoveSelection(model, selection, dx, dy); };
}

Edit Scaled(float factor, std::int32_t centre) {
    return [=](Model& model, SelectionState& selection) {
        selection.scaleFactor = factor;
        selection.scaleCentreX = selection.scaleCentreY = centre;
        ScaleSelection(model, selection);
    };
}

// Afterwards the selection still says whether any point is selected; the scale factor is 1.
TEST(EditCommandsTest, EachEditLeavesTheExpectedPoints) {
    const struct {
        Edit edit;
        bool modified;
        std::vector<P> before, after;
    } cases[] = {
        {InvertSelection, false, {{0, 0, S}, {5, 5}}, {{0, 0, S, true}, {5, 5, 2, true}}},
        {InvertSelection, false, {{0, 0, S, true}, {5, 5, 2, true}}, {{0, 0, S}, {5, 5}}},
        {DeleteSelectedSegments,
         true,
         {{0, 0, S}, {10, 0, 2, true}, {20, 0, 2, true}, {30, 0}},
         {{0, 0, S}, {10, 0}, {20, 0, S}, {30, 0}}},
        // Only (3, 0) ends a selected segment; it goes with its lone stroke start.
        {DeleteSelectedSegments,
         true,
         {{0, 0, S}, {1, 0, 2, true}, {2, 0, S, true}, {3, 0, 2, true}},
         {{0, 0, S}, {1, 0}}},
        // A chain straightens up to a stroke start.
        {OnModel(StraightenSelection),
         true,
         {{0, 0, S, true},
          {10, 0, 2, true},
          {20, 0, 2, true},
          {40, 0, 2, true},
          {50, 0, S, true},
          {60, 0, 2, true}},
         {{0, 0, S, true}, {40, 0, 2, true}, {50, 0, S, true}, {60, 0, 2, true}}},
        {OnModel(RemoveLastLine),
         true,
         {{0, 0, S}, {5, 5, S}, {6, 6}, {7, 7}},
         {{0, 0, S}, {5, 5, S}, {6, 6}}},
        {OnModel(RemoveLastLine),
         true,
         {{0, 0, S}, {1, 0}, {5, 5, S}, {6, 6}},
         {{0, 0, S}, {1, 0}}},
        {Moved(10, -10),
         false,
         {{29995, -29995, S, true}, {7, 7}},
         {{30000, -30000, S, true}, {7, 7}}},
        {Scaled(2.0f, 100),
         false,
         {{110, 100, S, true}, {101, 90, 2, true}, {20000, -20000, 2, true}, {5, 5}},
         {{120, 100, S, true}, {102, 80, 2, true}, {30000, -30000, 2, true}, {5, 5}}},
        // The round trip through angle and radius lands just short of -59 here.
        {Scaled(1.0f, 0), false, {{-60, -59, S, true}}, {{-60, -59, S, true}}},
    };
    const auto selected = [](const P& p) { return p.selected; };
    for (const auto& c : cases) {
        Model model = ModelOf(c.before);
        SelectionState selection{.selectionExists = std::ranges::any_of(c.before, selected)};
        c.edit(model, selection);
        EXPECT_EQ(PointsOf(model), c.after) << &c - cases;
        EXPECT_EQ(model.document.modified, c.modified) << &c - cases;
        EXPECT_EQ(selection.selectionExists, std::ranges::any_of(c.after, selected)) << &c - cases;
        EXPECT_EQ(selection.scaleFactor, 1.0f) << &c - cases;
    }
}

// P, C and N in one stroke with only C selected; whether C survives straightening.
TEST(StraightenSelectionTest, RemovesNearlyStraightShortCornersOnly) {
    const std::int32_t far = 2'000'000'000;
    const struct {
        P p, c, n;
        bool survives;
    } cases[] = {
        {{0, 0}, {10, 0}, {21, 4}, false},      // 19 degrees
        {{0, 0}, {10, 0}, {18, 3}, true},       // exactly 20 degrees
        {{0, 0}, {50, 0}, {100, 0}, false},     // neighbours 100 apart
        {{0, 0}, {50, 0}, {101, 0}, true},      //
        {{100, 0}, {40, 1}, {10, 0}, true},     // 179 and -178 degrees
        {{10, 0}, {70, 1}, {100, 0}, false},    // the same bend rightward
        {{0, 0}, {0, 0}, {5, 0}, false},        // a zero-length side
        {{-far, 0}, {far, 1}, {far, 2}, true},  // no overflow in the distance
    };
    for (const auto& c : cases) {
        Model model = ModelOf({{c.p.x, c.p.y, S}, {c.c.x, c.c.y, 2, true}, c.n});
        StraightenSelection(model);
        EXPECT_EQ(model.points.size() == 3, c.survives) << &c - cases;
    }
}

}  // namespace
}  // namespace zef::test
