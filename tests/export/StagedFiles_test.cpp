#include "export/StagedFiles.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "export/Exporters.h"
#include "export/StreamedFile.h"
#include "tests/KilledWrite.h"
#include "tests/TempFolder.h"
#include "tests/export/TestScene.h"

namespace zef {
namespace {

namespace fs = std::filesystem;

// Both targets are reached through links; the second one's folder takes no new file.
TEST(StagedFilesTest, LinkedAndInPlaceTargetsChangeOnlyAtCommitAndKeepTheirLinks) {
    test::TempFolder folder;
    fs::create_directory(folder.path() / "real");
    for (const char* name : {"a.bmp", "b.bmp"}) {
        std::ofstream(folder.path() / "real" / name) << "old";
        fs::create_symlink(fs::path("real") / name, folder.path() / name);
    }
    FileOps ops = SystemFileOps();
    int temporaries = 0;
    ops.createTemporary = [&temporaries](char* pattern) {
        if (++temporaries == 2) {
            errno = EACCES;
            return -1;
        }
        return mkstemp(pattern);
    };
    const std::uint8_t bytes[] = {'n', 'e', 'w'};
    {
        StagedFiles files(ops);
        ASSERT_TRUE(files.Add(folder.PathOf("a.bmp"), bytes));
        ASSERT_TRUE(files.Add(folder.PathOf("b.bmp"), bytes));
        for (const char* name : {"a.bmp", "b.bmp"}) {
            EXPECT_EQ(test::Contents(folder.path() / "real" / name), "old") << name;
        }
        ASSERT_TRUE(files.Commit());
    }
    for (const char* name : {"a.bmp", "b.bmp"}) {
        EXPECT_EQ(test::Contents(folder.path() / "real" / name), "new") << name;
        EXPECT_TRUE(fs::is_symlink(folder.path() / name)) << name;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path() / "real"), {}), 2);
}

// Frames staged by a killed export wait under names of their program; the next export into the
// folder removes those of a program that no longer runs, even where its process id has come
// to another, and leaves those of a running one.
TEST(StagedFilesTest, AnExportRemovesTheFramesOfKilledExportsAndKeepsThoseOfRunningOnes) {
    test::TempFolder folder;
    const std::uint8_t bytes[] = {'n', 'e', 'w'};
    StagedFiles running;
    ASSERT_TRUE(running.Add(folder.PathOf("other0000.bmp"), bytes));
    const std::string live = fs::directory_iterator(folder.path())->path().filename().string();
    const pid_t ended = fork();
    if (ended == 0) {
        _exit(0);
    }
    ASSERT_EQ(waitpid(ended, nullptr, 0), ended);
    const struct {
        std::string name;
        bool kept;
    } cases[] = {
        {live, true},
        {".zeftool-" + std::to_string(ended) + "-1-Ab3dEf", false},
        {".zeftool-" + std::to_string(getpid()) + "-1-Ab3dEf", false},
        {".zeftool-Ab3dEf", true},  // of no program the name tells
    };
    for (const auto& c : cases) {
        std::ofstream(folder.path() / c.name) << "frame";
    }
    test::TestScene scene;
    test::RecordingProgress progress;
    const ExportRequest request{folder.PathOf("walk"), ExportKind::kStill, 30, 20};
    ASSERT_EQ(ExportAs(ExportFormat::kBmp, scene.View(), request, progress).outcome,
              ExportOutcome::kDone);
    for (const auto& c : cases) {
        EXPECT_EQ(fs::exists(folder.path() / c.name), c.kept) << c.name;
    }
}

// A GIF half streamed when the program is killed: the old file stays, and beside it nothing.
TEST(StreamedFileTest, AKillPartWayLeavesTheOldFileAndNothingBesideIt) {
    test::TempFolder folder;
    const std::string target = folder.PathOf("a.gif");
    std::ofstream(target) << "old";
    const std::vector<std::uint8_t> piece(1 << 16, 'n');
    EXPECT_TRUE(test::KilledPartWay(5 * piece.size() / 2, [&](const FileOps& ops) {
        StreamedFile file(target, ops);
        for (int i = 0; i < 8; ++i) {
            file.Write(piece.data(), piece.size());
        }
        file.Commit();
    }));
    EXPECT_EQ(test::Contents(target), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 1);
}

}  // namespace
}  // namespace zef
