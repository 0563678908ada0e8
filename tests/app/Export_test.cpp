#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <tuple>

#include "EditorTest.h"
#include "ExportDialogRules.h"
#include "ExportSession.h"
#include "ExportTexts.h"
#include "FilePaths.h"

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

// A dialog that keeps the messages it owns, cancels at a chosen progress step and notes
// whether the export-running flag was set whenever the export showed its progress.
struct FakeView : ExportView {
    explicit FakeView(const Editor& e) : editor(e) {}
    void SetStatusText(const std::string& text) override {
        status = text;
        Note();
    }
    void SetProgressRange(std::int32_t, std::int32_t) override { Note(); }
    void StepProgress() override {
        Note();
        if (++steps == cancelAt) {
            session->RequestCancel();
        }
    }
    void PumpOneEvent() override {}
    void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
    void DisableControls() override { disabled = true; }
    void Note() { flagAlwaysSet = flagAlwaysSet && editor.ExportRunning(); }

    const Editor& editor;
    ExportSession* session = nullptr;
    int steps = 0, cancelAt = 0;
    bool flagAlwaysSet = true, disabled = false;
    std::string status;
    std::vector<std::string> messages;
};

class ExportSessionTest : public EditorTest {
  protected:
    ExportSessionTest() {
        model.AppendPoint(10, 10, false);
        model.AppendPoint(110, 10, true);
    }
    ExportSession Session(ExportFormat format) { return {editor.ExportParts(), shell, format}; }
    ExportOptions& options = editor.ExportParts().options;
};

TEST_F(ExportSessionTest, SaveRunsTheExportWithTheFlagSetAndTellsHowItEnded) {
    using F = ExportFormat;
    const struct {
        F dialog;
        const char* path;
        std::int32_t kind;
        const char* width;
        const char* written;  // when there is no memory message
        const char* closing;
        const char* memory;
        int replaySteps;  // 100 long at step 40: the fourth frame (at 120) completes it
    } cases[] = {
        {F::kGif, "a", kExportVtr, "80", "a.gif", texts::kGifSaved, nullptr, 4},
        {F::kGif, "a.webp", kExportShaking, "80", "a.webp", texts::kWebpSaved, nullptr, 0},
        {F::kGif, "b", kExportVtr, "70000", "b.gif", texts::kGifFailed, texts::kGifNoWorkBuffer, 0},
        {F::kBmp, "a", kExportStill, "80", "a.bmp", texts::kBmpSaved, nullptr, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.closing);
        const int steps = shell.progressSteps, hides = shell.progressHides;
        const int foregrounds = shell.foregrounds;
        shell.messages.clear();
        FakeView view(editor);
        ExportSession session = Session(c.dialog);
        const ExportForm form{PathOf(c.path), c.kind, "1", kMaxSmoothness, c.width, "60"};
        EXPECT_EQ(session.Save(form, view), SaveEnd::kExported);
        EXPECT_EQ(view.messages, std::vector<std::string>{c.closing});
        EXPECT_TRUE(view.flagAlwaysSet && view.disabled);
        EXPECT_FALSE(editor.ExportRunning() || session.Exporting());
        EXPECT_EQ(std::filesystem::exists(PathOf(c.written)), c.memory == nullptr);
        ASSERT_EQ(shell.messages.size(), c.memory != nullptr ? 1u : 0u);
        if (c.memory != nullptr) {
            EXPECT_EQ(shell.messages[0].text, c.memory);
            EXPECT_EQ(shell.messages[0].icon, MessageIcon::kError);
        }
        EXPECT_EQ(shell.foregrounds - foregrounds, 1);
        EXPECT_EQ(shell.progressSteps - steps, c.replaySteps);
        EXPECT_EQ(shell.progressHides - hides, c.replaySteps > 0 ? 1 : 0)
            << "the window refreshed once";
        EXPECT_FALSE(editor.renderer().VtrMode());
    }
}

// Cancel keeps the slider's smoothness, which a finished shaking export would not keep.
TEST_F(ExportSessionTest, SaveAsksBeforeReplacingAndACancelledExportEndsSilently) {
    const std::string first = PathOf("old0000.bmp");
    std::ofstream(first) << "old";
    ExportSession bmp = Session(ExportFormat::kBmp);
    FakeView view(editor);
    shell.answers = {MessageAnswer::kNo};
    const ExportForm old{PathOf("old.bmp"), kExportShaking, "1", kMaxSmoothness, "80", "60"};
    EXPECT_EQ(bmp.Save(old, view), SaveEnd::kStay);
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].text, OverwriteQuestion(first));
    EXPECT_EQ(shell.messages[0].buttons, MessageButtons::kYesNoDefaultNo);
    EXPECT_FALSE(view.disabled);
    EXPECT_EQ(std::filesystem::file_size(first), 3u);

    const struct {
        ExportFormat format;
        const char* path;
        const char* first;
        std::int32_t kind;
        int cancelAt;
    } cases[] = {{ExportFormat::kGif, "a.gif", "a.gif", kExportVtr, 1},
                 {ExportFormat::kBmp, "walk", "walk0000.bmp", kExportShaking, 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        ExportSession session = Session(c.format);
        FakeView cancelling(editor);
        cancelling.session = &session;
        cancelling.cancelAt = c.cancelAt;
        const ExportForm form{PathOf(c.path), c.kind, "1", 3, "80", "60"};
        EXPECT_EQ(session.Save(form, cancelling), SaveEnd::kCancelled);
        EXPECT_TRUE(cancelling.messages.empty());
        EXPECT_EQ(cancelling.status, texts::kExportCancelled);
        EXPECT_EQ(cancelling.steps, c.cancelAt);
        EXPECT_FALSE(editor.ExportRunning() || std::filesystem::exists(PathOf(c.first)));
        EXPECT_TRUE(session.Close(form));
        EXPECT_EQ(options.kind, c.kind);
        EXPECT_EQ(options.smoothness, 3);
    }
}

// The GIF dialog has no still image: a remembered one opens as shaking, remembered too.
TEST_F(ExportSessionTest, TheGifDialogOpensARememberedStillImageAsShaking) {
    options.kind = kExportStill;
    EXPECT_EQ(Session(ExportFormat::kBmp).OpeningForm().kind, kExportStill);
    EXPECT_EQ(Session(ExportFormat::kGif).OpeningForm().kind, kExportShaking);
    EXPECT_EQ(options.kind, kExportShaking);
}

}  // namespace
}  // namespace zef::test
