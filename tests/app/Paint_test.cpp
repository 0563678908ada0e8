#include <gtest/gtest.h>

#include "EditorTest.h"

namespace zef::test {
namespace {

using PaintTest = EditorTest;

TEST_F(PaintTest, FrameSamplesTheCursorCountsAndPresentsTheCanvas) {
    Drag({10, 10}, {40, 40});
    shell.pointer = {123, 45};
    Frame();
    EXPECT_EQ(editor.interaction().cursorSample, (CanvasPoint{123, 45}));
    EXPECT_EQ(shell.panes[StatusPane::kPointCount], "선 갯수 : 2");
    EXPECT_EQ(shell.lastPresented, (CanvasSize{800, 600}));
    const Bitmap& canvas = editor.renderer().Canvas();
    EXPECT_EQ(canvas.Pixel(700, 500), kStandardBackgroundColour.Value());

    // A size beyond the canvas, as a model file may hold, never reaches past the bitmap.
    model.properties.canvasWidth = 5000;
    model.properties.canvasHeight = -4;
    Frame();
    EXPECT_EQ(shell.lastPresented, (CanvasSize{800, 0}));
}

TEST_F(PaintTest, NeitherTimerRunsWhileAnExportRenders) {
    Drag({10, 10}, {40, 40});
    editor.SetExportRunning(true);
    const int presents = shell.presents;
    shell.pointer = {300, 300};
    Frame();
    editor.ShakeTick();
    EXPECT_EQ(shell.presents, presents);
    EXPECT_NE(editor.interaction().cursorSample, (CanvasPoint{300, 300}));
    EXPECT_EQ(model.points[0].shakeDx, 0);
    EXPECT_EQ(model.points[0].shakeDy, 0);

    editor.SetExportRunning(false);
    bool shaken = false;
    for (int i = 0; i < 10 && !shaken; ++i) {
        editor.ShakeTick();
        shaken = model.points[0].shakeDx != 0 || model.points[0].shakeDy != 0;
    }
    EXPECT_TRUE(shaken);
}

TEST_F(PaintTest, ReplayStepsTheProgressBarAndEndsByItself) {
    Drag({10, 10}, {110, 10});
    editor.Command(7);
    ASSERT_TRUE(shell.progressShown);
    const std::string countBefore = shell.panes[StatusPane::kPointCount];
    int frames = 0;
    while (editor.renderer().VtrMode() && frames < 100) {
        Frame();
        ++frames;
    }
    EXPECT_EQ(frames, 4);
    EXPECT_EQ(shell.CountCalls("StepProgress"), 4);
    EXPECT_FALSE(shell.progressShown);
    EXPECT_FALSE(shell.pressed[7]);
    EXPECT_TRUE(shell.enabled[0]);
    EXPECT_EQ(shell.panes[StatusPane::kPointCount], countBefore);
}

}  // namespace
}  // namespace zef::test
