#include "ExportRun.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "EditorTest.h"

namespace zef::test {
namespace {

// A dialog that notes whether the flag was set whenever the export let events through.
struct DialogProgress : ExportProgress {
    explicit DialogProgress(Editor& e) : editor(e) {}
    void SetStatusText(const std::string&) override {}
    void SetProgressRange(std::int32_t, std::int32_t) override {}
    void StepProgress() override {}
    void PumpOneEvent() override { flagAlwaysSet = flagAlwaysSet && editor.ExportRunning(); }
    void FrameRendered(const RenderReport&) override {}
    Editor& editor;
    bool flagAlwaysSet = true;
};

using ExportRunTest = EditorTest;

TEST_F(ExportRunTest, TheFlagSpansTheExportAndTheReplayReachesTheMainWindow) {
    struct Case {
        const char* name;
        bool gif;
        std::int32_t kind;
        std::int32_t width;
        long replaySteps;  // 100 long at step 40: the fourth frame (at 120) completes it
        bool refreshed;
    };
    const Case cases[] = {
        {"VTR", true, kExportVtr, 80, 4, true},
        {"shaking", true, kExportShaking, 80, 0, false},
        {"refused size", true, kExportVtr, 70000, 0, false},
        {"BMP VTR", false, kExportVtr, 80, 4, true},
        {"BMP still", false, kExportStill, 80, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        model.ClearPoints();
        model.AppendPoint(10, 10, false);
        model.AppendPoint(110, 10, true);
        shell.calls.clear();
        DialogProgress dialog(editor);
        const ExportRequest request{PathOf("a"), c.kind, c.width, 60, false, false, 1, 6};
        const ExportResult result =
            c.gif ? RunGifExport(editor, request, dialog) : RunBmpExport(editor, request, dialog);
        EXPECT_EQ(result.Succeeded(), c.width == 80);
        EXPECT_TRUE(dialog.flagAlwaysSet);
        EXPECT_FALSE(editor.ExportRunning());
        EXPECT_EQ(std::count(shell.calls.begin(), shell.calls.end(), "StepProgress"),
                  c.replaySteps);
        EXPECT_EQ(std::count(shell.calls.begin(), shell.calls.end(), "ShowProgress off"),
                  c.refreshed ? 1 : 0);
        EXPECT_FALSE(editor.renderer().VtrMode());
    }
}

}  // namespace
}  // namespace zef::test
