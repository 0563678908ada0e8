#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <tuple>

#include "app/desktop/RecoveryCopy.h"
#include "app/desktop/RecoveryFolder.h"
#include "app/desktop/RecoveryKeeper.h"
#include "app/sessions/ExportSession.h"
#include "app/shell/AppTexts.h"
#include "tests/app/EditorTest.h"

namespace zef::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

RecoveryCopy Work(const std::string& path, std::vector<PointImage> images) {
    RecoveryCopy work{path, fs::path(path).filename().string(), {321, 600, 3, 0, {1, 2, 3}}, {}};
    for (const PointImage& image : images) {
        work.points.push_back(PointRecord{image});
    }
    return work;
}

const RecoveryCopy kSample =
    Work("/home/u/그림 모델.zfm",
         {{1, 2, kStrokeStart, -3, 4, 7}, {-40000, 5, kStrokeContinuation, 127, -128, 0}});

std::vector<std::uint8_t> Bytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

TEST(RecoveryCopyTest, ReadsBackExactlyAndRefusesEveryDamagedCopy) {
    const std::vector<std::uint8_t> bytes = EncodeRecoveryCopy(kSample);
    const std::optional<RecoveryCopy> read = DecodeRecoveryCopy(bytes);
    ASSERT_TRUE(read);
    EXPECT_EQ(EncodeRecoveryCopy(*read), bytes);

    for (std::size_t size = 0; size < bytes.size(); ++size) {
        EXPECT_FALSE(DecodeRecoveryCopy(std::span(bytes).first(size))) << "cut at " << size;
    }
    std::vector<std::uint8_t> longer = bytes;
    longer.push_back(0);
    EXPECT_FALSE(DecodeRecoveryCopy(longer)) << "a byte more than the model holds";
    // The path's length is at 8, its text at 12; the title's length follows it.
    const std::size_t title = 12 + kSample.path.size() + 4;
    const std::tuple<const char*, std::size_t, std::uint8_t> damages[] = {
        {"magic", 0, 'X'},
        {"a path longer than any", 11, 0x80},
        {"a zero byte in the path", 12, 0},
        {"a zero byte in the title", title, 0},
        {"an older model version", title + kSample.title.size() + 10, 3}};
    for (const auto& [what, at, value] : damages) {
        std::vector<std::uint8_t> damaged = bytes;
        damaged[at] = value;
        EXPECT_FALSE(DecodeRecoveryCopy(damaged)) << what;
    }
}

class RecoveryFolderTest : public ::testing::Test {
  protected:
    fs::path Root() const { return folder_.path() / "state" / "zeftool" / "recovery"; }

    // A copy of an instance that ended, last written `age` ago.
    std::string LeaveBehind(const std::vector<std::uint8_t>& bytes, std::chrono::seconds age) {
        const auto ended = RecoveryFolder::Open(Root());
        EXPECT_TRUE(ended && ended->WriteCopy(bytes));
        fs::last_write_time(ended->CopyPath(), fs::file_time_type::clock::now() - age);
        return ended->CopyPath();
    }

    TempFolder folder_;
};

TEST_F(RecoveryFolderTest, OffersOnlyOwnCopiesOfEndedInstancesNewestFirst) {
    const auto running = RecoveryFolder::Open(Root());
    ASSERT_TRUE(running);
    EXPECT_EQ(fs::symlink_status(Root()).permissions(), fs::perms::owner_all);
    ASSERT_TRUE(running->WriteCopy(EncodeRecoveryCopy(kSample)));
    EXPECT_EQ(fs::symlink_status(running->CopyPath()).permissions(),
              fs::perms::owner_read | fs::perms::owner_write);

    const std::string older = LeaveBehind({1}, 60s);
    const std::string newer = LeaveBehind({2}, 10s);
    fs::create_symlink(older, Root() / "link.copy");
    const std::string foreign = LeaveBehind({3}, 5s);
    if (::chown(foreign.c_str(), 4242, 4242) != 0) {
        fs::remove(foreign);
    }

    const auto started = RecoveryFolder::Open(Root());
    ASSERT_TRUE(started);
    EXPECT_EQ(started->LeftBehind(), (std::vector<std::string>{newer, older}))
        << "not the running instance's copy, the link, nor another user's copy";
    EXPECT_EQ(started->Read(newer), std::vector<std::uint8_t>{2});
    EXPECT_FALSE(started->Read((Root() / "link.copy").string()));

    started->SetAside(newer);
    EXPECT_EQ(Bytes(newer + ".damaged"), std::vector<std::uint8_t>{2});
    EXPECT_TRUE(started->Adopt(older));
    EXPECT_EQ(Bytes(started->CopyPath()), std::vector<std::uint8_t>{1});
    EXPECT_TRUE(started->LeftBehind().empty());

    fs::create_directory_symlink(Root(), folder_.path() / "linked");
    EXPECT_FALSE(RecoveryFolder::Open(folder_.path() / "linked")) << "a folder reached by a link";
    fs::permissions(Root(), fs::perms::group_read | fs::perms::others_exec, fs::perm_options::add);
    EXPECT_TRUE(RecoveryFolder::Open(Root()));
    EXPECT_EQ(fs::symlink_status(Root()).permissions(), fs::perms::owner_all)
        << "looser bits are narrowed";
}

TEST(RecoveryKeeperTest, WritesWhenEditingPausesOrHalfAMinuteOfChangesAndRemovesWhenDone) {
    TempFolder folder;
    RecoveryKeeper keeper;
    ASSERT_TRUE(keeper.UseFolder(folder.path() / "recovery"));
    const std::string copy = keeper.Folder()->CopyPath();
    Model model;
    model.document.modified = true;
    const auto Written = [&]() -> std::optional<std::size_t> {
        keeper.Settle();
        const auto read = DecodeRecoveryCopy(Bytes(copy));
        return read ? std::optional(read->points.size()) : std::nullopt;
    };
    const auto Edit = [&](RecoveryKeeper::Clock::time_point at) {
        model.AppendPoint(static_cast<std::int32_t>(model.points.size()), 0, !model.points.empty());
        keeper.Changed(model, at);
    };
    const RecoveryKeeper::Clock::time_point t0{1h};

    Edit(t0);
    keeper.Tick(model, t0 + 2s);
    EXPECT_EQ(Written(), std::nullopt) << "editing has not paused long enough";
    keeper.Tick(model, t0 + 3s);
    EXPECT_EQ(Written(), 1u);

    for (auto t = t0 + 10s; t < t0 + 40s; t += 2s) {
        Edit(t);
        keeper.Tick(model, t + 1s);
    }
    EXPECT_EQ(Written(), 1u) << "changes go on";
    Edit(t0 + 40s);
    keeper.Tick(model, t0 + 40s);
    EXPECT_EQ(Written(), 17u) << "half a minute after the first change not in the copy";

    model.document.modified = false;
    keeper.Changed(model, t0 + 41s);
    EXPECT_FALSE(fs::exists(copy)) << "saved";
    model.document.modified = true;
    Edit(t0 + 42s);
    keeper.Tick(model, t0 + 45s);
    EXPECT_EQ(Written(), 18u);
    keeper.Discard();
    EXPECT_FALSE(fs::exists(copy)) << "given up";

    model.points.resize(RecoveryKeeper::kSmallModel + 1);
    Edit(t0 + 46s);
    keeper.Tick(model, t0 + 49s);
    EXPECT_EQ(Written(), std::nullopt) << "the memory for a large model's copy comes first";
    keeper.Tick(model, t0 + 50s);
    EXPECT_EQ(Written(), RecoveryKeeper::kSmallModel + 2);

    Edit(t0 + 50s);
    keeper.Seal(model);
    EXPECT_EQ(Written(), RecoveryKeeper::kSmallModel + 3) << "sealed without waiting for a tick";
    model.document.modified = false;
    keeper.Changed(model, t0 + 51s);
    keeper.Discard();
    EXPECT_EQ(Written(), RecoveryKeeper::kSmallModel + 3) << "kept whatever happens after the seal";
}

// An editor started where other instances left work behind.
TEST_F(RecoveryFolderTest, YesOpensTheWorkUnsavedNoDeletesItAndTheCopyGoesWhenSavedOrGivenUp) {
    const std::string original = folder_.PathOf("그림 모델.zfm");
    ASSERT_TRUE(WriteModelFile(original, Model()));
    const std::vector<std::uint8_t> originalBytes = Bytes(original);
    const RecoveryCopy kept = Work(original, {{10, 20, kStrokeStart, 1, -1, 9}});
    const std::string older = LeaveBehind(EncodeRecoveryCopy(kept), 60s);
    const std::string refused = LeaveBehind(EncodeRecoveryCopy(Work("", {{1, 1}})), 30s);
    const std::string damaged = LeaveBehind({'X'}, 10s);

    FakeShell shell;
    shell.answers = {MessageAnswer::kNo, MessageAnswer::kYes};
    Editor editor(shell, 1);
    Model& model = editor.model();
    ASSERT_TRUE(editor.recovery().UseFolder(Root()));
    editor.Start("", folder_.path().string());
    const auto offer = [](const MessageBox& box) {
        return box.text == texts::kRecoveryQuestion && box.icon == MessageIcon::kQuestion &&
               box.buttons == MessageButtons::kYesNo;
    };
    EXPECT_EQ(std::ranges::count_if(shell.messages, offer), 2) << "none for the damaged copy";
    EXPECT_EQ(std::tuple(fs::exists(damaged + ".damaged"), fs::exists(refused), fs::exists(older)),
              std::tuple(true, false, false));
    const std::string copy = editor.recovery().Folder()->CopyPath();
    EXPECT_EQ(Bytes(copy), EncodeRecoveryCopy(kept)) << "the opened work's copy is this instance's";

    EXPECT_EQ(EncodeRecoveryCopy({original, kept.title, model.properties, model.points}),
              EncodeRecoveryCopy(kept));
    EXPECT_EQ(shell.caption, Caption("그림 모델.zfm", true));
    EXPECT_EQ(Bytes(original), originalBytes) << "nothing written to the file until saved";

    editor.Command(CommandId::kSave);
    EXPECT_EQ(ReadModelFile(original, {}).model->points.size(), 1u);
    EXPECT_FALSE(fs::exists(copy)) << "saved";

    model.AppendPoint(5, 5, false);
    editor.UpdateTitle();
    editor.recovery().Tick(model, RecoveryKeeper::Clock::now() + 1min);
    editor.recovery().Settle();
    ASSERT_TRUE(fs::exists(copy));
    shell.answers = {MessageAnswer::kNo};
    shell.dialogBehaviour = [&](DialogId) {
        EXPECT_FALSE(fs::exists(copy)) << "gone once the user said No to saving the changes";
        return DialogResult::kCancel;
    };
    editor.Command(CommandId::kNewModel);
    EXPECT_EQ(shell.dialogs.size(), 1u);
}

// A copy that falls due while an export replays the drawing, at a speed of the export's own,
// waits for the export's end and so keeps the model's speed.
TEST_F(RecoveryFolderTest, ACopyDueDuringAnExportWaitsForTheModelToBeItsOwnAgain) {
    FakeShell shell;
    Editor editor(shell, 1);
    ASSERT_TRUE(editor.recovery().UseFolder(Root()));
    editor.Start("", folder_.path().string());
    editor.model().AppendPoint(10, 10, false);
    editor.model().AppendPoint(300, 10, true);
    editor.UpdateTitle();
    const std::string copy = editor.recovery().Folder()->CopyPath();
    const auto later = RecoveryKeeper::Clock::now() + 1min;

    ExportSession session(editor.exportHost(), shell, ExportFormat::kGif);
    struct TickingView : ExportView {
        TickingView(ExportSession& s, Editor& e, const std::string& c,
                    RecoveryKeeper::Clock::time_point t)
            : ExportView(s), editor(e), copy(c), at(t) {}
        void SetStatusText(const std::string&) override {}
        void SetProgressRange(std::int32_t, std::int32_t) override {}
        void StepProgress() override {
            editor.RecoveryTick(at);
            editor.recovery().Settle();
            copied = copied || fs::exists(copy);
        }
        void PumpOneEvent() override {}
        void ShowMessage(std::string_view) override {}
        void DisableControls() override {}
        Editor& editor;
        const std::string& copy;
        RecoveryKeeper::Clock::time_point at;
        bool copied = false;
    } view(session, editor, copy, later);
    const ExportForm form{
        folder_.PathOf("a.gif"), ExportKind::kVtr, "0", kMaxSmoothness, "80", "60"};
    ASSERT_EQ(session.Save(form, view), SaveEnd::kExported);
    EXPECT_FALSE(view.copied);

    editor.RecoveryTick(later);
    editor.recovery().Settle();
    const auto kept = DecodeRecoveryCopy(Bytes(copy));
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->properties, editor.model().properties);
}

}  // namespace
}  // namespace zef::test
