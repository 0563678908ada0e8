#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <tuple>

#include "app/desktop/FilePaths.h"
#include "app/sessions/ExportDialogRules.h"
#include "app/sessions/ExportSession.h"
#include "export/ExportTexts.h"
#include "tests/app/EditorTest.h"

namespace zef::test {
namespace {

// The first failing check names its message; the fields after it are not looked at.
TEST(ExportDialogRules, SaveNamesTheFirstBadFieldInOrder) {
    const struct {
        const char *path, *endWait, *width, *height, *message;
    } cases[] = {{"", "-", "", "", texts::kNoFileName},
                 {"a", "-", "", "", texts::kBadEndWait},
                 {"a", "2147483648", "400", "300", texts::kBadEndWait},
                 {"a", "0", "0", "", texts::kBadWidth},
                 {"a", "0", "400", "x", texts::kBadHeight}};
    for (const auto& c : cases) {
        const ExportForm form{c.path, ExportKind::kVtr, c.endWait, 0, c.width, c.height};
        for (const ExportFormat format : {ExportFormat::kGif, ExportFormat::kBmp}) {
            const SaveCheck check = CheckForSave(form, format);
            EXPECT_STREQ(check.message, c.message);
            EXPECT_FALSE(check.request);
        }
    }
}

// The GIF dialog writes a WebP, APNG, MP4 or WebM for a path ending in ".webp", ".png" or
// ".apng", ".mp4" or ".webm" in any case; all but the MP4 keep the transparency box with
// anti-aliasing, and an MP4 never has it.
TEST(ExportDialogRules, SaveMakesTheRequestAndNamesTheFirstFileWritten) {
    using F = ExportFormat;
    const struct {
        F dialog;
        const char* path;
        ExportKind kind;
        F written;
        const char* firstFile;
        ExportKind requestedKind;
    } cases[] = {
        {F::kGif, "x.GIF", ExportKind::kShaking, F::kGif, "x.GIF.gif", ExportKind::kShaking},
        {F::kGif, "a.gif", ExportKind::kStill, F::kGif, "a.gif", ExportKind::kVtr},
        {F::kGif, "a.WebP", ExportKind::kVtr, F::kWebp, "a.WebP", ExportKind::kVtr},
        {F::kGif, "a.webp.gif", ExportKind::kVtr, F::kGif, "a.webp.gif", ExportKind::kVtr},
        {F::kGif, "webp", ExportKind::kVtr, F::kGif, "webp.gif", ExportKind::kVtr},
        {F::kGif, "a.Mp4", ExportKind::kShaking, F::kMp4, "a.Mp4", ExportKind::kShaking},
        {F::kGif, "a.WEBM", ExportKind::kVtr, F::kWebm, "a.WEBM", ExportKind::kVtr},
        {F::kGif, "a.mp4.webp.gif", ExportKind::kVtr, F::kGif, "a.mp4.webp.gif", ExportKind::kVtr},
        {F::kGif, "a.PNG", ExportKind::kVtr, F::kApng, "a.PNG", ExportKind::kVtr},
        {F::kGif, "a.aPng", ExportKind::kShaking, F::kApng, "a.aPng", ExportKind::kShaking},
        {F::kGif, "png", ExportKind::kVtr, F::kGif, "png.gif", ExportKind::kVtr},
        {F::kBmp, "walk.bmp", ExportKind::kVtr, F::kBmp, "walk0000.bmp", ExportKind::kVtr},
        {F::kBmp, "walk.BMP", ExportKind::kShaking, F::kBmp, "walk.BMP0000.bmp",
         ExportKind::kShaking},
        {F::kBmp, "walk", ExportKind::kStill, F::kBmp, "walk.bmp", ExportKind::kStill},
        {F::kBmp, "a.webp", ExportKind::kVtr, F::kBmp, "a.webp0000.bmp", ExportKind::kVtr},
        {F::kBmp, "a.mp4", ExportKind::kVtr, F::kBmp, "a.mp40000.bmp", ExportKind::kVtr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(FormatWritten(c.dialog, c.path), c.written);
        if (c.dialog == F::kGif) {
            EXPECT_EQ(TransparencyEnabled(true, c.path),
                      c.written != F::kGif && c.written != F::kMp4);
            EXPECT_EQ(TransparencyEnabled(false, c.path), c.written != F::kMp4);
        }
        const ExportForm form{c.path, c.kind, c.kind == ExportKind::kShaking ? "x" : "0",
                              0,      "400",  "300",
                              false,  true};
        const ExportRequest request = *CheckForSave(form, c.dialog).request;
        const bool vtr = request.kind == ExportKind::kVtr;
        EXPECT_EQ(FirstFileWritten(request, c.dialog), c.firstFile);
        EXPECT_EQ(std::tie(request.kind, request.endWait, request.frameDelay, request.transparent),
                  std::make_tuple(c.requestedKind, vtr ? 0 : 5, vtr ? 18 : 6, c.dialog == F::kGif));
    }
}

// A dialog that keeps the messages it owns, cancels at a chosen progress step and notes
// whether the export-running flag was set whenever the export stepped its progress.
struct FakeView : ExportView {
    FakeView(ExportSession& s, const Editor& e, int cancel = 0)
        : ExportView(s), session(s), editor(e), cancelAt(cancel) {}
    void SetStatusText(const std::string& text) override { status = text; }
    void SetProgressRange(std::int32_t, std::int32_t) override {}
    void StepProgress() override {
        flagAlwaysSet = flagAlwaysSet && editor.ExportRunning();
        if (throws) {
            throw std::runtime_error("stepped");
        }
        if (++steps == cancelAt) {
            session.RequestCancel();
        }
    }
    void PumpOneEvent() override {}
    void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
    void DisableControls() override { disabled = true; }

    ExportSession& session;
    const Editor& editor;
    int steps = 0, cancelAt;
    bool flagAlwaysSet = true, disabled = false, throws = false;
    std::string status;
    std::vector<std::string> messages;
};

using ExportSessionTest = EditorTest;

// Cancel keeps the slider's smoothness, which a finished shaking export would not keep.
TEST_F(ExportSessionTest, SaveAsksBeforeReplacingAndTellsHowTheExportEnded) {
    model.AppendPoint(10, 10, false);
    model.AppendPoint(110, 10, true);
    ExportHost& host = editor.exportHost();
    const std::string first = PathOf("old0000.bmp");
    std::ofstream(first) << "old";
    ExportSession bmp(host, shell, ExportFormat::kBmp);
    FakeView asked(bmp, editor);
    shell.answers = {MessageAnswer::kNo};
    const ExportForm old{PathOf("old.bmp"), ExportKind::kShaking, "1", kMaxSmoothness, "80", "60"};
    EXPECT_EQ(bmp.Save(old, asked), SaveEnd::kStay);
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].text, OverwriteQuestion(first));
    EXPECT_EQ(shell.messages[0].buttons, MessageButtons::kYesNoDefaultNo);
    EXPECT_FALSE(asked.disabled);
    EXPECT_EQ(std::filesystem::file_size(first), 3u);

    using F = ExportFormat;
    const struct {
        F dialog;
        const char* path;
        ExportKind kind;
        const char *width, *written, *closing, *memory;  // written unless failed or cancelled
        int replaySteps, cancelAt;  // 100 long at step 40: the fourth frame (at 120) completes it
    } cases[] = {
        {F::kGif, "a", ExportKind::kVtr, "80", "a.gif", texts::kGifSaved, nullptr, 4, 0},
        {F::kGif, "a.webp", ExportKind::kShaking, "80", "a.webp", texts::kWebpSaved, nullptr, 0, 0},
        {F::kGif, "a.Mp4", ExportKind::kShaking, "81", "a.Mp4", texts::kMp4Saved, nullptr, 0, 0},
        {F::kGif, "b", ExportKind::kVtr, "70000", "b.gif", texts::kGifFailed,
         texts::kGifNoWorkBuffer, 0, 0},
        {F::kBmp, "a", ExportKind::kStill, "80", "a.bmp", texts::kBmpSaved, nullptr, 0, 0},
        {F::kBmp, "walk", ExportKind::kShaking, "80", "walk0000.bmp", nullptr, nullptr, 0, 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.written);
        const int steps = shell.progressSteps, hides = shell.progressHides,
                  foregrounds = shell.foregrounds;
        shell.messages.clear();
        ExportSession session(host, shell, c.dialog);
        FakeView view(session, editor, c.cancelAt);
        const bool cancelled = c.cancelAt > 0;
        const ExportForm form{PathOf(c.path), c.kind, "1", cancelled ? 3 : kMaxSmoothness,
                              c.width,        "60"};
        EXPECT_EQ(session.Save(form, view), cancelled ? SaveEnd::kCancelled : SaveEnd::kExported);
        EXPECT_EQ(view.messages,
                  cancelled ? std::vector<std::string>{} : std::vector<std::string>{c.closing});
        EXPECT_TRUE(view.flagAlwaysSet && view.disabled);
        EXPECT_FALSE(editor.ExportRunning() || session.Exporting());
        EXPECT_EQ(std::filesystem::exists(PathOf(c.written)), c.closing != nullptr && !c.memory);
        ASSERT_EQ(shell.messages.size(), c.memory != nullptr ? 1u : 0u);
        if (c.memory != nullptr) {
            EXPECT_EQ(shell.messages[0].text, c.memory);
            EXPECT_EQ(shell.messages[0].icon, MessageIcon::kError);
        }
        EXPECT_EQ(shell.foregrounds - foregrounds, cancelled ? 0 : 1);
        EXPECT_EQ(shell.progressSteps - steps, c.replaySteps);
        EXPECT_EQ(shell.progressHides - hides, c.replaySteps > 0 ? 1 : 0)
            << "the window refreshed once";
        EXPECT_FALSE(editor.renderer().VtrMode());
        if (cancelled) {
            EXPECT_EQ(view.status, texts::kExportCancelled);
            EXPECT_EQ(view.steps, c.cancelAt);
            EXPECT_TRUE(session.Close(form));
            EXPECT_EQ(host.Options().kind, c.kind);
            EXPECT_EQ(host.Options().smoothness, 3);
        }
    }

    // A video's failure message goes on with why: here, the package to install.
    const std::string path = std::getenv("PATH");
    setenv("PATH", PathOf("none").c_str(), 1);
    ExportSession session(host, shell, F::kGif);
    FakeView view(session, editor);
    const ExportForm form{PathOf("v.webm"), ExportKind::kShaking, "1", kMaxSmoothness, "80", "60"};
    EXPECT_EQ(session.Save(form, view), SaveEnd::kExported);
    setenv("PATH", path.c_str(), 1);
    EXPECT_EQ(view.messages, std::vector<std::string>{std::string(texts::kWebmFailed) + "\n\n" +
                                                      texts::kVideoNeedsFfmpeg});

    // An export left by an exception lets the timers run again.
    ExportSession thrown(host, shell, F::kGif);
    FakeView throwing(thrown, editor);
    throwing.throws = true;
    const ExportForm gif{PathOf("t.gif"), ExportKind::kShaking, "1", kMaxSmoothness, "80", "60"};
    EXPECT_THROW(thrown.Save(gif, throwing), std::runtime_error);
    EXPECT_FALSE(editor.ExportRunning());
}

}  // namespace
}  // namespace zef::test
