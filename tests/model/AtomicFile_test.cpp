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
        int temporaryError;  // 0: the temporary file is made
        bool writeFails;
        bool targetExists;
        bool saved;
        const char* after;  // nullptr: no target
    } cases[] = {
        {"replaced", 0, false, true, true, "new"},
        {"made behind a dangling link", 0, false, false, true, "new"},
        {"write fails", 0, true, true, false, "older and longer"},
        {"rewritten in place", EACCES, false, true, true, "new"},
        {"in place, write fails", EACCES, true, true, false, "older and longer"},
        {"in place, no target", EPERM, false, false, false, nullptr},
        {"disk full", ENOSPC, false, true, false, "older and longer"},
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
        if (c.writeFails) {
            ops.write = [](int, const void*, std::size_t) -> ssize_t {
                errno = EIO;
                return -1;
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
