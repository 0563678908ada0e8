#include "EditCommands.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "model/PointList.h"

namespace zef {
namespace {

using ::testing::ElementsAre;

using test::ModelOf;
using test::P;
using test::PointsOf;
using test::S;

TEST(SelectionCommandsTest, InvertFlipsEveryPointAndTracksWhetherAnyIsSelected) {
    Model model = ModelOf({{0, 0, S, true}, {5, 5}});
    SelectionState selection{.selectionExists = true};
    InvertSelection(model, selection);
    EXPECT_THAT(PointsOf(model), ElementsAre(P{0, 0, S, false}, P{5, 5, 2, true}));
    EXPECT_TRUE(selection.selectionExists);
    SelectAll(model, selection);
    EXPECT_TRUE(InvertSelection(model, selection).refreshToolbar);
    EXPECT_THAT(PointsOf(model), ElementsAre(P{0, 0, S}, P{5, 5}));
    EXPECT_FALSE(selection.selectionExists);
}

TEST(DeleteSelectedSegmentsTest, RemovesSegmentsWithBothEndsSelectedAndMendsStrokeStarts) {
    struct Case {
        std::vector<P> before;
        std::vector<P> after;
    };
    const Case cases[] = {
        // A middle segment splits the stroke.
        {{{0, 0, S}, {10, 0, 2, true}, {20, 0, 2, true}, {30, 0}},
         {{0, 0, S}, {10, 0}, {20, 0, S}, {30, 0}}},
        // The selection spans the break between two strokes; only (3, 0) ends a selected
        // segment, the last of the list, which goes with its lone stroke start.
        {{{0, 0, S}, {1, 0, 2, true}, {2, 0, S, true}, {3, 0, 2, true}}, {{0, 0, S}, {1, 0}}},
    };
    for (const Case& c : cases) {
        Model model = ModelOf(c.before);
        SelectionState selection{.selectionExists = true, .moveMode = true};
        const EditResult result = DeleteSelectedSegments(model, selection);
        EXPECT_EQ(PointsOf(model), c.after);
        EXPECT_TRUE(result.snapshot && result.updateTitle && result.refreshToolbar);
        EXPECT_TRUE(model.document.modified);
        EXPECT_FALSE(selection.selectionExists || selection.moveMode);
    }
}

// P, C and N in one stroke with only C selected; whether C survives straightening.
bool Survives(P previous, P middle, P next) {
    previous.kind = S;
    middle.selected = true;
    Model model = ModelOf({previous, middle, next});
    StraightenSelection(model);
    return model.points.size() == 3;
}

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
        EXPECT_EQ(Survives(c.p, c.c, c.n), c.survives) << &c - cases;
    }
}

TEST(StraightenSelectionTest, CollapsesAChainAndKeepsStrokeEnds) {
    std::vector<P> chain;
    for (int x = 0; x <= 60; x += 10) {
        chain.push_back({x, 0, x % 50 == 0 ? S : kStrokeContinuation, true});
    }
    Model model = ModelOf(chain);
    const EditResult result = StraightenSelection(model);
    EXPECT_THAT(PointsOf(model), ElementsAre(P{0, 0, S, true}, P{40, 0, 2, true}, P{50, 0, S, true},
                                             P{60, 0, 2, true}));
    EXPECT_TRUE(result.snapshot);
    EXPECT_TRUE(result.updateTitle);

    Model unselected = ModelOf({{0, 0, S}, {10, 0}});
    StraightenSelection(unselected);
    EXPECT_EQ(unselected.points.size(), 2u);
    EXPECT_TRUE(unselected.document.modified) << "marked modified even when nothing goes";
}

TEST(RemoveLastLineTest, TakesAStrokeApartFromItsEnd) {
    Model model = ModelOf({{0, 0, S}, {1, 0}, {5, 5, S}, {6, 6}, {7, 7}});
    EXPECT_TRUE(RemoveLastLine(model).snapshot);
    EXPECT_THAT(PointsOf(model), ElementsAre(P{0, 0, S}, P{1, 0}, P{5, 5, S}, P{6, 6}));
    RemoveLastLine(model);
    EXPECT_THAT(PointsOf(model), ElementsAre(P{0, 0, S}, P{1, 0}));
    EXPECT_TRUE(model.document.modified);
}

TEST(MoveSelectionTest, MovesSelectedPointsWithinTheLimits) {
    Model model = ModelOf({{29995, -29995, S, true}, {7, 7}});
    SelectionState selection;
    MoveSelection(model, selection, 10, -10);
    EXPECT_THAT(PointsOf(model), ElementsAre(P{30000, -30000, S, true}, P{7, 7}));

    selection.moveAll = true;
    MoveSelection(model, selection, -3, 2);
    EXPECT_THAT(PointsOf(model), ElementsAre(P{29997, -29998, S, true}, P{4, 9}));
    EXPECT_FALSE(model.document.modified);
}

TEST(ScaleSelectionTest, ScalesAboutTheCentreAndClamps) {
    const struct {
        float factor;
        P centre;
        std::vector<P> before, after;
    } cases[] = {
        {2.0f,
         {100, 100},
         {{110, 100, S, true}, {101, 90, 2, true}, {5, 5}},
         {{120, 100, S, true}, {102, 80, 2, true}, {5, 5}}},
        // The round trip through angle and radius lands just short of -59 here.
        {1.0f, {0, 0}, {{-60, -59, S, true}}, {{-60, -59, S, true}}},
        {100.0f,
         {0, 0},
         {{20000, -20000, S, true}, {0, 3000, 2, true}},
         {{30000, -30000, S, true}, {0, 30000, 2, true}}},
    };
    for (const auto& c : cases) {
        Model model = ModelOf(c.before);
        SelectionState selection{
            .scaleFactor = c.factor, .scaleCentreX = c.centre.x, .scaleCentreY = c.centre.y};
        ScaleSelection(model, selection);
        EXPECT_EQ(PointsOf(model), c.after) << c.factor;
        EXPECT_EQ(selection.scaleFactor, 1.0f);
    }
}

}  // namespace
}  // namespace zef
