#include <gtest/gtest.h>

#include <tuple>

#include "EditorTest.h"
#include "ExportDialogRules.h"
#include "ExportRun.h"
#include "ExportTexts.h"

namespace zef::test {
namespace {

// The first failing check names its message; the fields after it are not looked at.
TEST(ExportDialogRules, SaveNamesTheFirstBadFieldInOrder) {
    const struct {
        const char* path;
        const char* endWait;
        const char* width;
        const char* height;
        const char* message;
    } cases[] = {{"", "-", "", "", texts::kNoFileName},
                 {"a", "-", "", "", texts::kBadEndWait},
                 {"a", "2147483648", "400", "300", texts::kBadEndWait},
                 {"a", "0", "0", "", texts::kBadWidth},
                 {"a", "0", "400", "x", texts::kBadHeight}};
    for (const auto& c : cases) {
        const ExportForm form{c.path, kExportVtr, c.endWait, 0, c.width, c.height};
        for (const ExportFormat format : {ExportFormat::kGif, ExportFormat::kBmp}) {
            const SaveCheck check = CheckForSave(form, format);
            EXPECT_STREQ(check.message, c.message);
            EXPECT_FALSE(check.request);
        }
    }
}

// The GIF dialog writes a WebP for a path ending in ".webp" in any case, and then keeps the
// transparency box with anti-aliasing.
TEST(ExportDialogRules, SaveMakesTheRequestAndNamesTheFirstFileWritten) {
    using F = ExportFormat;
    const struct {
        F dialog;
        const char* path;
        std::int32_t kind;
        F written;
        const char* firstFile;
        std::int32_t requestedKind;
    } cases[] = {{F::kGif, "x.GIF", kExportShaking, F::kGif, "x.GIF.gif", kExportShaking},
                 {F::kGif, "a.gif", kExportStill, F::kGif, "a.gif", kExportVtr},
                 {F::kGif, "a.WebP", kExportVtr, F::kWebp, "a.WebP", kExportVtr},
                 {F::kGif, "a.webp.gif", kExportVtr, F::kGif, "a.webp.gif", kExportVtr},
                 {F::kGif, "webp", kExportVtr, F::kGif, "webp.gif", kExportVtr},
                 {F::kBmp, "walk.bmp", kExportVtr, F::kBmp, "walk0000.bmp", kExportVtr},
                 {F::kBmp, "walk.BMP", kExportShaking, F::kBmp, "walk.BMP0000.bmp", kExportShaking},
                 {F::kBmp, "walk", kExportStill, F::kBmp, "walk.bmp", kExportStill},
                 {F::kBmp, "a.webp", kExportVtr, F::kBmp, "a.webp0000.bmp", kExportVtr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(FormatWritten(c.dialog, c.path), c.written);
        if (c.dialog == F::kGif) {
            EXPECT_EQ(TransparencyEnabled(true, c.path), c.written == F::kWebp);
        }
        const ExportForm form{c.path, c.kind, c.kind == kExportShaking ? "x" : "0", 0, "400", "300",
                              false,  true};
        const ExportRequest request = *CheckForSave(form, c.dialog).request;
        const bool vtr = request.kind == kExportVtr;
        EXPECT_EQ(FirstFileWritten(request, c.dialog), c.firstFile);
        EXPECT_EQ(std::tie(request.kind, request.endWait, request.frameDelay, request.transparent),
                  std::make_tuple(c.requestedKind, vtr ? 0 : 5, vtr ? 18 : 6, c.dialog == F::kGif));
    }
    EXPECT_TRUE(TransparencyEnabled(false, "a.gif"));
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
    const struct {
        const char* name;
        ExportFormat format;
        std::int32_t kind;
        std::int32_t width;
        int replaySteps;  // 100 long at step 40: the fourth frame (at 120) completes it
    } cases[] = {{"GIF VTR", ExportFormat::kGif, kExportVtr, 80, 4},
                 {"WebP shaking", ExportFormat::kWebp, kExportShaking, 80, 0},
                 {"refused size", ExportFormat::kGif, kExportVtr, 70000, 0},
                 {"BMP still", ExportFormat::kBmp, kExportStill, 80, 0}};
    model.AppendPoint(10, 10, false);
    model.AppendPoint(110, 10, true);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const int steps = shell.progressSteps, hides = shell.progressHides;
        DialogProgress dialog(editor);
        const ExportRequest request{PathOf("a"), c.kind, c.width, 60, false, false, 1, 6};
        const ExportResult result = RunExport(editor, c.format, request, dialog);
        EXPECT_EQ(result.Succeeded(), c.width == 80);
        EXPECT_TRUE(dialog.flagAlwaysSet);
        EXPECT_FALSE(editor.ExportRunning());
        EXPECT_EQ(shell.progressSteps - steps, c.replaySteps);
        EXPECT_EQ(shell.progressHides - hides, c.replaySteps > 0 ? 1 : 0)
            << "the window refreshed once";
        EXPECT_FALSE(editor.renderer().VtrMode());
    }
}

}  // namespace
}  // namespace zef::test
