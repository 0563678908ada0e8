#include "StagedFiles.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "TempFolder.h"

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

}  // namespace
}  // namespace zef
