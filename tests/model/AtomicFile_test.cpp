#include "model/AtomicFile.h"
#include "model/HeldFile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "tests/KilledWrite.h"
#include "tests/TempFolder.h"

namespace zef {
namespace {

namespace fs = std::filesystem;

// Every save goes through two links, an absolute one to a link in another folder and a
// relative one from there, to the target. Where the folder refuses unnamed files, a named one
// takes their place.
TEST(AtomicFileTest, SavesThroughLinksRewritesInPlaceWhereNeededAndOtherwiseKeepsTheOldBytes) {
    const struct {
        const char* what;
        int unnamedError;       // 0: the unnamed file is made
        int namedError;         // 0: the named file is made
        int writesBeforeError;  // -1: the write succeeds; else one byte a call until the error
        bool targetExists;
        bool saved;
        const char* after;  // nullptr: no target
        bool held = false;  // the write is held back, then placed
    } cases[] = {
        {"replaced", 0, 0, -1, true, true, "new"},
        {"made behind a dangling link", 0, 0, -1, false, true, "new"},
        {"write fails part-way", 0, 0, 2, true, false, "older and longer"},
        {"named, replaced", EOPNOTSUPP, 0, -1, true, true, "new"},
        {"named, made", EISDIR, 0, -1, false, true, "new"},
        {"named, write fails part-way", EINVAL, 0, 2, true, false, "older and longer"},
        {"rewritten in place", EACCES, EACCES, -1, true, true, "new"},
        {"in place, write fails", EACCES, EACCES, 0, true, false, "older and longer"},
        {"in place, no target", EPERM, EPERM, -1, false, false, nullptr},
        {"disk full", ENOSPC, ENOSPC, -1, true, false, "older and longer"},
        {"held, placed", 0, 0, -1, true, true, "new", true},
        {"held by name, placed", EOPNOTSUPP, 0, -1, false, true, "new", true},
        {"held, never in place", EACCES, EACCES, -1, true, false, "older and longer", true},
    };
    const std::uint8_t bytes[] = {'n', 'e', 'w'};
    for (const auto& c : cases) {
        test::TempFolder folder;
        const fs::path link = folder.path() / "save.zfm";
        const fs::path target = folder.path() / "dotfiles" / "real.zfm";
        fs::create_directory(target.parent_path());
        fs::create_symlink("real.zfm", folder.path() / "dotfiles" / "mid.zfm");
        fs::create_symlink(folder.path() / "dotfiles" / "mid.zfm", link);
        if (c.targetExists) {
            std::ofstream(target) << "older and longer";
            fs::permissions(target, fs::perms{0640});
        }
        FileOps ops = SystemFileOps();
        if (c.unnamedError != 0) {
            ops.createUnnamed = [&c](const char*, mode_t) {
                errno = c.unnamedError;
                return -1;
            };
        }
        if (c.namedError != 0) {
            ops.createTemporary = [&c](char*) {
                errno = c.namedError;
                return -1;
            };
        }
        ops.write = [left = c.writesBeforeError](int fd, const void* data,
                                                 std::size_t size) mutable -> ssize_t {
            if (left-- == 0) {
                errno = EIO;
                return -1;
            }
            return ::write(fd, data, left < 0 ? size : 1);
        };

        HeldFile held;
        if (c.held) {
            ops = held.Holding(ops);
            const std::string before = test::Contents(target);
            EXPECT_EQ(WriteFileAtomically(link.string(), bytes, ops), c.saved) << c.what;
            EXPECT_EQ(test::Contents(target), before) << c.what;
            EXPECT_EQ(held.Size(), c.saved ? 3u : 0u) << c.what;
            EXPECT_EQ(held.Place(link.string()), c.saved) << c.what;
        } else {
            EXPECT_EQ(WriteFileAtomically(link.string(), bytes, ops), c.saved) << c.what;
        }
        EXPECT_TRUE(fs::is_symlink(link)) << c.what;
        EXPECT_EQ(test::Contents(target), c.after != nullptr ? c.after : "") << c.what;
        if (c.targetExists) {
            EXPECT_EQ(fs::status(target).permissions(), fs::perms{0640}) << c.what;
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(target.parent_path()), {}),
                  c.after != nullptr ? 2 : 1)
            << c.what << ": no temporary file is left";
    }
}

// Half a model written when the program is killed: the old model stays, and beside it nothing.
TEST(AtomicFileTest, AKillPartWayLeavesTheOldFileAndNothingBesideIt) {
    test::TempFolder folder;
    const std::string target = folder.PathOf("big.zfm");
    std::ofstream(target) << "old";
    const std::vector<std::uint8_t> bytes(1 << 20, 'n');
    EXPECT_TRUE(test::KilledPartWay(
        bytes.size() / 2, [&](const FileOps& ops) { WriteFileAtomically(target, bytes, ops); }));
    EXPECT_EQ(test::Contents(target), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 1);
}

}  // namespace
}  // namespace zef
