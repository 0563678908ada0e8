#include "ScalePreview.h"

#include <gtest/gtest.h>

#include "EditCommands.h"
#include "model/PointList.h"

namespace zef {
namespace {

// What the canvas shows while scale mode is on is where the release puts the points.
TEST(ScalePreview, ShowsWhatTheReleaseCommits) {
    for (const float factor : {0.0f, 0.37f, 1.0f, 1.5f, 2.0f, 7.25f}) {
        for (const auto& [x, y] : {std::pair{-60, -59}, {110, 100}, {3, 997}, {-29000, 29500}}) {
            SelectionState selection{
                .scaleFactor = factor, .scaleCentreX = 100, .scaleCentreY = 100};
            const PixelPoint preview = HeldToModelRange(ScaledPosition(x, y, selection));
            Model model = test::ModelOf({{x, y, test::S, true}});
            ScaleSelection(model, selection);
            EXPECT_EQ(preview, (PixelPoint{model.points[0].x, model.points[0].y}))
                << factor << " " << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace zef
