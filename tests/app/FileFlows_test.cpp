#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "EditorTest.h"
#include "ModelTexts.h"

namespace zef::test {
namespace {

using FileFlowsTest = EditorTest;

TEST_F(FileFlowsTest, OpenStartsInTheProgramFolderUntilAFileOpensThenInThatFilesFolder) {
    std::filesystem::create_directory(PathOf("sub"));
    WriteModel("sub/a.zfm", {Start(1, 1), Continue(5, 5)});
    for (const std::optional<std::string>& chosen :
         {std::optional(PathOf("sub/missing.zfm")), std::optional(PathOf("sub/a.zfm")),
          std::optional<std::string>()}) {
        shell.chosenFiles.push_back(chosen);
        editor.Command(CommandId::kOpen);
    }
    ASSERT_EQ(shell.fileDialogs.size(), 3u);
    EXPECT_EQ(shell.fileDialogs[0].initialDirectory, PathOf(""));
    EXPECT_EQ(shell.fileDialogs[1].initialDirectory, PathOf("")) << "the open failed";
    EXPECT_EQ(shell.fileDialogs[2].initialDirectory, PathOf("sub"));
}

TEST_F(FileFlowsTest, OlderFileIsSavedInTheCurrentFormatBesideIt) {
    editor.settings().openInVtr = 0;
    const std::string older = PathOf("OLD.ZF2");
    {
        std::ofstream file(older, std::ios::binary);
        const char bytes[4 + 24] = {2, 0, 0, 0, 5, 0, 0, 0, 6, 0, 0, 0, 1, 0,
                                    0, 0, 9, 0, 0, 0, 7, 0, 0, 0, 2, 0, 0, 0};
        file.write(bytes, sizeof bytes);
    }
    const auto olderSize = std::filesystem::file_size(older);
    editor.PathHandedOver(older);
    EXPECT_FALSE(editor.renderer().VtrMode()) << "opening in VTR mode is off";
    Drag({100, 100}, {120, 130});
    editor.Command(CommandId::kSave);
    EXPECT_EQ(shell.caption, Caption("OLD.zfm"));
    EXPECT_EQ(model.document.path, PathOf("OLD.zfm"));
    EXPECT_TRUE(ReadModelFile(PathOf("OLD.zfm"), {}).model);
    EXPECT_EQ(std::filesystem::file_size(older), olderSize) << older;
    EXPECT_TRUE(ReadModelFile(older, {}).model) << "the older file still opens";
}

TEST_F(FileFlowsTest, SaveAsAppendsTheEndingUnlessThereAndAFailedWriteChangesNothing) {
    const int captions = shell.captionsSet;
    editor.UpdateTitle();
    Drag({10, 10}, {50, 50});
    Drag({50, 50}, {10, 10});
    EXPECT_EQ(shell.captionsSet, captions + 1) << "the caption is sent only when it changes";
    shell.chosenFiles.push_back(PathOf("Big.ZFM"));
    editor.Command(CommandId::kSaveAs);
    EXPECT_EQ(shell.caption, Caption("Big.ZFM.zfm"));
    EXPECT_TRUE(std::filesystem::exists(PathOf("Big.ZFM.zfm")));

    shell.chosenFiles.push_back(PathOf("plain.zfm"));
    editor.Command(CommandId::kSaveAs);
    EXPECT_EQ(model.document.path, PathOf("plain.zfm"));

    EXPECT_TRUE(shell.fileDialogs.back().overwritePrompt);

    // A failed write keeps the flag, the path and the title.
    Drag({10, 10}, {40, 40});
    std::filesystem::remove_all(folder.path());
    editor.Command(CommandId::kSave);
    EXPECT_EQ(shell.messages.back().text, texts::kSaveFailed);
    EXPECT_TRUE(model.document.modified);
    EXPECT_EQ(model.document.path, PathOf("plain.zfm"));
    EXPECT_EQ(shell.caption, Caption("plain.zfm", true));
}

// The save dialog asked about "old" only; "old.zfm" is replaced only when the user agrees.
TEST_F(FileFlowsTest, SaveAsAsksBeforeTheAppendedEndingReplacesAFile) {
    WriteModel("old.zfm", {Start(1, 1), Continue(5, 5)});
    const auto size = std::filesystem::file_size(PathOf("old.zfm"));
    Drag({10, 10}, {50, 50});
    Drag({60, 60}, {70, 90});
    for (const MessageAnswer answer : {MessageAnswer::kNo, MessageAnswer::kYes}) {
        shell.chosenFiles.push_back(PathOf("old"));
        shell.answers.push_back(answer);
        editor.Command(CommandId::kSaveAs);
        ASSERT_EQ(shell.messages.size(), 1u);
        EXPECT_EQ(shell.messages[0].text,
                  "『" + PathOf("old.zfm") + "』\n이 파일은 이미 존재 한걸요?     \n덮어 쓸까요?");
        EXPECT_EQ(shell.messages[0].buttons, MessageButtons::kYesNoDefaultNo);
        EXPECT_EQ(std::filesystem::file_size(PathOf("old.zfm")) == size,
                  answer == MessageAnswer::kNo);
        EXPECT_EQ(model.document.modified, answer == MessageAnswer::kNo);
        shell.messages.clear();
    }
    shell.chosenFiles.push_back(PathOf("old.zfm"));
    editor.Command(CommandId::kSaveAs);
    EXPECT_TRUE(shell.messages.empty()) << "the dialog itself asked about this name";
}

// The question before New, answered every way.
class SaveChangesTest : public EditorTest {
  protected:
    SaveChangesTest() { Drag({10, 10}, {40, 40}); }
    bool Asked() const {
        return !shell.messages.empty() &&
               shell.messages.front().text == texts::kSaveChangesQuestion;
    }
};

TEST_F(SaveChangesTest, CancelOrASaveThatDoesNotHappenKeepsTheModel) {
    struct Case {
        MessageAnswer answer;
        std::optional<std::string> savedAs;  // the save dialog's answer after Yes
        const char* failure;                 // the message after the question, if any
    };
    for (const auto& [answer, savedAs, failure] :
         {Case{MessageAnswer::kCancel, std::nullopt, nullptr},
          Case{MessageAnswer::kYes, std::nullopt, nullptr},
          Case{MessageAnswer::kYes, PathOf("missing/folder/m"), texts::kSaveFailed}}) {
        shell.ClearRecord();
        shell.answers.push_back(answer);
        if (answer == MessageAnswer::kYes) {
            shell.chosenFiles.push_back(savedAs);
        }
        editor.Command(CommandId::kNewModel);
        ASSERT_TRUE(Asked());
        EXPECT_EQ(shell.messages.front().buttons, MessageButtons::kYesNoCancel);
        if (failure != nullptr) {
            ASSERT_EQ(shell.messages.size(), 2u);
            EXPECT_EQ(shell.messages[1].text, failure);
            EXPECT_EQ(shell.messages[1].icon, MessageIcon::kError);
            EXPECT_EQ(shell.messages[1].buttons, MessageButtons::kOk);
        } else {
            EXPECT_EQ(shell.messages.size(), 1u);
        }
        EXPECT_TRUE(shell.dialogs.empty());
        EXPECT_EQ(model.points.size(), 2u);
        EXPECT_TRUE(model.document.modified);
        EXPECT_TRUE(model.document.path.empty());
        EXPECT_EQ(shell.caption, Caption("무제", true));
    }
}

TEST_F(SaveChangesTest, CancelKeepsAHandedOverFileClosedAndTheProgramRunning) {
    WriteModel("other.zfm", {Start(1, 1), Continue(2, 9), Continue(3, 3)});
    shell.answers.push_back(MessageAnswer::kCancel);
    editor.PathHandedOver(PathOf("other.zfm"));
    EXPECT_EQ(shell.foregrounds, 1);
    EXPECT_EQ(model.points.size(), 2u);
    EXPECT_EQ(shell.caption, Caption("무제", true));

    shell.answers.push_back(MessageAnswer::kCancel);
    editor.KeyDown(Key::kEscape, ShellWindow::kCanvas);
    EXPECT_EQ(shell.messages.back().owner, ShellWindow::kCanvas);
    EXPECT_EQ(shell.quits, 0);

    shell.answers.push_back(MessageAnswer::kYes);
    shell.chosenFiles.push_back(std::nullopt);
    editor.KeyDown(Key::kEscape, ShellWindow::kCanvas);
    EXPECT_EQ(shell.fileDialogs.back().owner, ShellWindow::kCanvas);
    EXPECT_EQ(shell.quits, 0);

    shell.answers.push_back(MessageAnswer::kNo);
    editor.CloseRequested();
    EXPECT_EQ(shell.quits, 1);
}

TEST_F(FileFlowsTest, OpenStartsTheReplayAndAFailedOpenLeavesItTitleAndModelAlone) {
    WriteModel("good.zfm", {Start(1, 1), Continue(100, 1)});
    editor.PathHandedOver(PathOf("good.zfm"));
    ASSERT_TRUE(editor.renderer().VtrMode());
    EXPECT_EQ(editor.renderer().ReplayLength(), 0u);
    EXPECT_TRUE(shell.progressShown);
    EXPECT_EQ(shell.progressHigh, 99);
    EXPECT_EQ(shell.panes[StatusPane::kHint], "제프모델을 그린 순서로 재생해요.");
    const std::string caption = shell.caption;
    const std::size_t entries = editor.history().Size();
    {
        std::ofstream bad(PathOf("bad.zfm"), std::ios::binary);
        bad << "ZEF3 and more";
    }
    std::ofstream(PathOf("text.txt")) << "x";
    const std::vector<std::pair<std::string, const char*>> failures = {
        {PathOf("bad.zfm"), texts::kNotProperModel},
        {PathOf("text.txt"), texts::kNotModelFile},
        {PathOf("absent.zfm"), nullptr},
    };
    for (const auto& [path, message] : failures) {
        shell.ClearRecord();
        editor.PathHandedOver(path);
        if (message == nullptr) {
            EXPECT_TRUE(shell.messages.empty());
        } else {
            ASSERT_EQ(shell.messages.size(), 1u);
            EXPECT_EQ(shell.messages[0].text, message);
            EXPECT_EQ(shell.messages[0].icon, MessageIcon::kNone);
        }
        EXPECT_TRUE(editor.renderer().VtrMode());
        EXPECT_EQ(shell.caption, caption);
        EXPECT_EQ(model.document.path, PathOf("good.zfm"));
        EXPECT_EQ(model.points.size(), 2u);
        EXPECT_EQ(editor.history().Size(), entries);
    }
}

}  // namespace
}  // namespace zef::test
