#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "EditorTest.h"
#include "ExportDialogRules.h"
#include "ExportRun.h"
#include "ExportTexts.h"

namespace zef::test {
namespace {

ExportForm ValidForm(const char* path, std::int32_t kind) {
    return {path, kind, kind == kExportShaking ? "x" : "0", 0, "400", "300", false, true};
}

// The first failing check names its message; the fields after it are not looked at.
TEST(ExportDialogRules, SaveNamesTheFirstBadFieldInOrder) {
    const struct {
        const char* path;
        const char* endWait;
        const char* width;
        const char* height;
        const char* message;
    } cases[] = {
        {"", "-", "", "", texts::kNoFileName},
        {"a", "-", "", "", texts::kBadEndWait},
        {"a", "2147483648", "400", "300", texts::kBadEndWait},
        {"a", "0", "0", "", texts::kBadWidth},
        {"a", "0", "400", "x", texts::kBadHeight},
    };
    for (const auto& c : cases) {
        const ExportForm form{c.path, kExportVtr, c.endWait, 0, c.width, c.height};
        for (const ExportFormat format : {ExportFormat::kGif, ExportFormat::kBmp}) {
            const SaveCheck check = CheckForSave(form, format);
            EXPECT_STREQ(check.message, c.message);
            EXPECT_FALSE(check.request);
        }
    }
}

TEST(ExportDialogRules, SaveMakesTheRequestAndNamesTheFirstFileWritten) {
    const struct {
        ExportFormat format;
        const char* path;
        std::int32_t kind;
        const char* firstFile;
        std::int32_t requestedKind;
    } cases[] = {
        {ExportFormat::kGif, "x.GIF", kExportShaking, "x.GIF.gif", kExportShaking},
        {ExportFormat::kGif, "a.gif", kExportStill, "a.gif", kExportVtr},
        {ExportFormat::kBmp, "walk.bmp", kExportVtr, "walk0000.bmp", kExportVtr},
        {ExportFormat::kBmp, "walk.BMP", kExportShaking, "walk.BMP0000.bmp", kExportShaking},
        {ExportFormat::kBmp, "walk", kExportStill, "walk.bmp", kExportStill},
    };
    for (const auto& c : cases) {
        const ExportRequest request = *CheckForSave(ValidForm(c.path, c.kind), c.format).request;
        const bool vtr = request.kind == kExportVtr;
        EXPECT_EQ(FirstFileWritten(request, c.format), c.firstFile);
        EXPECT_EQ(std::tie(request.kind, request.endWait, request.frameDelay, request.transparent),
                  std::make_tuple(c.requestedKind, vtr ? 0 : 5, vtr ? 18 : 6,
                                  c.format == ExportFormat::kGif))
            << c.path;
    }
}

// A dialog that notes whether the flag was set whenever the export let events through.
struct DialogProgress : ExportProgress {
    explicit DialogProgress(Editor& e) : editor(e) {}
    void SetStatusText(const std::string&) override {}
    void SetProgressRange(std::int32_t, std::int32_t) override {}
    void StepProgress() override {}
    void PumpOneEvent() override { flagAlwaysSet = flagAlwaysSet && editor.ExportRunning(); }
    void FrameRendered(const RenderReport&) override {}
    bool CancelRequested() const override { return false; }
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
