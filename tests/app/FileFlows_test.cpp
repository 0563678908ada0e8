#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <tuple>

#include "app/desktop/FilePaths.h"
#include "model/ModelTexts.h"
#include "tests/app/EditorTest.h"

namespace zef::test {
namespace {

namespace fs = std::filesystem;
using FileFlowsTest = EditorTest;

TEST_F(FileFlowsTest, OpenStartsInTheProgramFolderUntilAFileOpensThenInThatFilesFolder) {
    fs::create_directory(PathOf("sub"));
    WriteModel("sub/a.zfm", {{1, 1}, {5, 5}});
    shell.chosenFiles = {PathOf("sub/missing.zfm"), PathOf("sub/a.zfm"), std::nullopt};
    for (int i = 0; i < 3; ++i) {
        editor.Command(CommandId::kOpen);
    }
    ASSERT_EQ(shell.fileDialogs.size(), 3u);
    EXPECT_EQ(shell.fileDialogs[1].initialDirectory, PathOf("")) << "the open failed";
    EXPECT_EQ(shell.fileDialogs[2].initialDirectory, PathOf("sub"));
}

TEST_F(FileFlowsTest, OlderFileIsSavedInTheCurrentFormatBesideIt) {
    editor.settings().openInVtr = 0;
    const std::string older = PathOf("OLD.ZF2");
    const char bytes[4 + 24] = {2, 0, 0, 0, 5, 0, 0, 0, 6, 0, 0, 0, 1, 0,
                                0, 0, 9, 0, 0, 0, 7, 0, 0, 0, 2, 0, 0, 0};
    std::ofstream(older, std::ios::binary).write(bytes, sizeof bytes);
    editor.files().HandOver(older);
    Drag({100, 100}, {120, 130});
    editor.Command(CommandId::kSave);
    EXPECT_EQ(shell.caption, Caption("OLD.zfm"));
    EXPECT_EQ(PointsIn("OLD.zfm"), (PointList{{5, 6}, {9, 7}, {100, 100}, {120, 130}}));
    EXPECT_EQ(fs::file_size(older), sizeof bytes);
}

TEST_F(FileFlowsTest, SaveAsAppendsTheEndingUnlessThereAndAFailedWriteChangesNothing) {
    Drag({10, 10}, {50, 50});
    shell.chosenFiles = {PathOf("Big.ZFM"), PathOf("plain.zfm")};
    editor.Command(CommandId::kSaveAs);
    EXPECT_EQ(shell.caption, Caption("Big.ZFM.zfm"));
    EXPECT_TRUE(fs::exists(PathOf("Big.ZFM.zfm")));
    editor.Command(CommandId::kSaveAs);
    EXPECT_EQ(model.document.path, PathOf("plain.zfm"));
    EXPECT_TRUE(shell.fileDialogs.back().overwritePrompt);

    Drag({10, 10}, {40, 40});
    fs::remove_all(folder.path());
    editor.Command(CommandId::kSave);
    EXPECT_EQ(shell.messages.back().text, texts::kSaveFailed);
    EXPECT_EQ(model.document.path, PathOf("plain.zfm"));
    EXPECT_EQ(shell.caption, Caption("plain.zfm", true));
}

// The save dialog asked about "old" only; "old.zfm" is replaced only when the user agrees.
TEST_F(FileFlowsTest, SaveAsAsksBeforeTheAppendedEndingReplacesAFile) {
    WriteModel("old.zfm", {{1, 1}, {5, 5}});
    Drag({10, 10}, {50, 50});
    for (const MessageAnswer answer : {MessageAnswer::kNo, MessageAnswer::kYes}) {
        shell.chosenFiles.push_back(PathOf("old"));
        shell.answers.push_back(answer);
        editor.Command(CommandId::kSaveAs);
        ASSERT_EQ(shell.messages.size(), 1u);
        EXPECT_EQ(shell.messages[0].text, OverwriteQuestion(PathOf("old.zfm")));
        EXPECT_EQ(shell.messages[0].buttons, MessageButtons::kYesNoDefaultNo);
        EXPECT_EQ(PointsIn("old.zfm"),
                  (answer == MessageAnswer::kNo ? PointList{{1, 1}, {5, 5}} : Points()));
        EXPECT_EQ(model.document.modified, answer == MessageAnswer::kNo);
        shell.messages.clear();
    }
    shell.chosenFiles.push_back(PathOf("old.zfm"));
    editor.Command(CommandId::kSaveAs);
    EXPECT_TRUE(shell.messages.empty()) << "the dialog itself asked about this name";
}

// The save question, answered every way that keeps the model.
TEST_F(FileFlowsTest, CancelOrASaveThatDoesNotHappenKeepsTheModel) {
    Drag({10, 10}, {40, 40});
    const struct {
        MessageAnswer answer;
        std::optional<std::string> savedAs;  // the save dialog's answer after Yes
        std::size_t messages;                // a failed save adds its message
    } cases[] = {{MessageAnswer::kCancel, std::nullopt, 1},
                 {MessageAnswer::kYes, std::nullopt, 1},
                 {MessageAnswer::kYes, PathOf("missing/folder/m"), 2}};
    for (const auto& c : cases) {
        shell.messages.clear();
        shell.answers = {c.answer};
        shell.chosenFiles = {c.savedAs};
        editor.Command(CommandId::kNewModel);
        ASSERT_EQ(shell.messages.size(), c.messages);
        EXPECT_EQ(shell.messages[0].text, texts::kSaveChangesQuestion);
        EXPECT_EQ(shell.messages[0].buttons, MessageButtons::kYesNoCancel);
        const bool failed = c.messages == 2;
        EXPECT_EQ(shell.messages.back().text,
                  failed ? texts::kSaveFailed : texts::kSaveChangesQuestion);
        EXPECT_EQ(shell.messages.back().icon, failed ? MessageIcon::kError : MessageIcon::kNone);
        EXPECT_TRUE(shell.dialogs.empty()) << "no new model";
        EXPECT_EQ(shell.caption, Caption("무제", true));
    }

    // A handed-over file stays closed, and the program running, unless the answer is No.
    WriteModel("other.zfm", {{1, 1}, {2, 9}, {3, 3}});
    shell.answers = {MessageAnswer::kCancel, MessageAnswer::kCancel, MessageAnswer::kYes,
                     MessageAnswer::kNo};
    editor.files().HandOver(PathOf("other.zfm"));
    EXPECT_EQ(shell.foregrounds, 1);
    EXPECT_EQ(shell.caption, Caption("무제", true));

    editor.KeyDown(Key::kEscape, ShellWindow::kCanvas);
    EXPECT_EQ(shell.messages.back().owner, ShellWindow::kCanvas);
    shell.chosenFiles = {std::nullopt};
    editor.KeyDown(Key::kEscape, ShellWindow::kCanvas);
    EXPECT_EQ(shell.fileDialogs.back().owner, ShellWindow::kCanvas);
    EXPECT_EQ(shell.quits, 0);
    editor.files().Close(ShellWindow::kMain);
    EXPECT_EQ(shell.quits, 1);
}

TEST_F(FileFlowsTest, OpenStartsTheReplayAndAFailedOpenLeavesItTitleAndModelAlone) {
    WriteModel("good.zfm", {{1, 1}, {100, 1}});
    editor.files().HandOver(PathOf("good.zfm"));
    ASSERT_TRUE(editor.renderer().VtrMode());
    EXPECT_EQ(std::tuple(editor.renderer().ReplayLength(), shell.progressShown, shell.progressHigh),
              std::tuple(0u, true, 99));
    const std::string caption = shell.caption;
    const std::size_t entries = editor.history().Size();
    std::ofstream(PathOf("bad.zfm"), std::ios::binary) << "ZEF3 and more";
    std::ofstream(PathOf("text.txt")) << "x";
    const std::pair<const char*, const char*> failures[] = {{"bad.zfm", texts::kNotProperModel},
                                                            {"text.txt", texts::kNotModelFile},
                                                            {"absent.zfm", ""}};
    for (const auto& [name, message] : failures) {
        shell.messages.clear();
        editor.files().HandOver(PathOf(name));
        ASSERT_EQ(shell.messages.size(), *message != '\0' ? 1u : 0u);
        if (!shell.messages.empty()) {
            EXPECT_EQ(std::tie(shell.messages[0].text, shell.messages[0].icon),
                      std::tuple(std::string(message), MessageIcon::kNone));
        }
        EXPECT_TRUE(editor.renderer().VtrMode());
        EXPECT_EQ(shell.caption, caption);
        EXPECT_EQ(Points(), (PointList{{1, 1}, {100, 1}}));
        EXPECT_EQ(editor.history().Size(), entries);
    }
}

}  // namespace
}  // namespace zef::test
