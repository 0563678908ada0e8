#include "AtomicFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "TempFolder.h"

namespace zef {
namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

bool Write(const fs::path& path, std::string_view text, const FileOps& ops) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    return WriteFileAtomically(path.string(), {bytes, text.size()}, ops);
}

// Every save goes through two links, an absolute one to a link in another folder and a
// relative one from there, to the target.
TEST(AtomicFileTest, SavesThroughLinksRewritesInPlaceWhereNeededAndOtherwiseKeepsTheOldBytes) {
    const struct {
        const char* what;
        int temporaryError;     // 0: the temporary file is made
        int writesBeforeError;  // -1: the write succeeds; else one byte a call until the error
        bool targetExists;
        bool saved;
        const char* after;  // nullptr: no target
    } cases[] = {
        {"replaced", 0, -1, true, true, "new"},
        {"made behind a dangling link", 0, -1, false, true, "new"},
        {"write fails part-way", 0, 2, true, false, "older and longer"},
        {"rewritten in place", EACCES, -1, true, true, "new"},
        {"in place, write fails", EACCES, 0, true, false, "older and longer"},
        {"in place, no target", EPERM, -1, false, false, nullptr},
        {"disk full", ENOSPC, -1, true, false, "older and longer"},
    };
    for (const auto& c : cases) {
        test::TempFolder folder;
        const fs::path link = folder.path() / "save.zfm";
        const fs::path target = folder.path() / "dotfiles" / "real.zfm";
        fs::create_directory(target.parent_path());
        fs::create_symlink("real.zfm", folder.path() / "dotfiles" / "mid.zfm");
        fs::create_symlink(folder.path() / "dotfiles" / "mid.zfm", link);
        if (c.targetExists) {
            std::ofstream(target) << "older and longer";
            ::chmod(target.c_str(), 0640);
        }
        FileOps ops = SystemFileOps();
        if (c.temporaryError != 0) {
            ops.createTemporary = [&c](char*) {
                errno = c.temporaryError;
                return -1;
            };
        }
        if (c.writesBeforeError >= 0) {
            ops.write = [left = c.writesBeforeError](int fd, const void* data,
                                                     std::size_t) mutable -> ssize_t {
                if (left-- == 0) {
                    errno = EIO;
                    return -1;
                }
                return ::write(fd, data, 1);
            };
        }

        EXPECT_EQ(Write(link, "new", ops), c.saved) << c.what;
        EXPECT_TRUE(fs::is_symlink(link)) << c.what;
        EXPECT_EQ(fs::exists(target), c.after != nullptr) << c.what;
        if (c.after != nullptr) {
            EXPECT_EQ(Contents(target), c.after) << c.what;
        }
        struct stat info {};
        if (c.targetExists && ::stat(target.c_str(), &info) == 0) {
            EXPECT_EQ(info.st_mode & 0777, 0640u) << c.what;
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(target.parent_path()), {}),
                  c.after != nullptr ? 2 : 1)
            << c.what << ": no temporary file is left";
    }
}

}  // namespace
}  // namespace zef
