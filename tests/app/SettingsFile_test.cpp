#include "SettingsFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "TempFolder.h"

namespace zef {
namespace {

namespace fs = std::filesystem;

std::vector<char> Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class SettingsFileTest : public ::testing::Test {
  protected:
    fs::path PathOf(const std::string& name) const { return folder_.path() / name; }

    test::TempFolder folder_;
};

TEST_F(SettingsFileTest, AModelOpenAtExitBecomesTheEmptyModelOfTheNextStart) {
    const fs::path path = PathOf("Config.dat");
    const SettingsRecord firstStart = ReadSettingsFile(path);
    EXPECT_EQ(firstStart, SettingsRecord{}) << "a missing file gives the defaults";

    ModelProperties atExit;
    atExit.canvasWidth = 320;
    atExit.canvasHeight = 240;
    atExit.backgroundColour = {255, 0, 0};
    ASSERT_TRUE(WriteSettingsFile(
        path, SettingsRecordAtExit(firstStart, WindowPosition{40, 50}, atExit, Settings{})));
    EXPECT_EQ(fs::file_size(path), 52u);

    ModelProperties nextModel;
    Settings nextSettings{.openInVtr = 7};
    const SettingsRecord nextStart = ReadSettingsFile(path);
    ApplySettingsRecord(nextStart, nextModel, nextSettings);
    EXPECT_EQ(nextModel, atExit);
    EXPECT_EQ(nextSettings.openInVtr, 1);
    EXPECT_EQ(nextStart.window, (WindowPosition{40, 50}));
}

TEST_F(SettingsFileTest, AFailedWriteKeepsThePreviousFileAndAMissingFolderIsCreated) {
    const fs::path path = PathOf("config/zeftool/Config.dat");
    SettingsRecord before;
    before.window = {1, 2};
    ASSERT_TRUE(WriteSettingsFile(path, before));
    const std::vector<char> previous = Contents(path);

    FileOps failing = SystemFileOps();
    int calls = 0;
    failing.write = [&calls](int fd, const void* data, std::size_t) -> ssize_t {
        if (++calls > 1) {
            errno = ENOSPC;
            return -1;
        }
        return ::write(fd, data, 10);
    };
    SettingsRecord after;
    after.window = {3, 4};
    EXPECT_FALSE(WriteSettingsFile(path, after, failing));
    EXPECT_EQ(Contents(path), previous);
    EXPECT_EQ(std::distance(fs::directory_iterator(path.parent_path()), {}), 1);
}

TEST_F(SettingsFileTest, WhatIsNotAReadableRegularFileGivesTheDefaults) {
    fs::create_directory(PathOf("folder"));
    ASSERT_EQ(mkfifo(PathOf("pipe").c_str(), 0600), 0);
    EXPECT_EQ(ReadSettingsFile(PathOf("folder")), SettingsRecord{});
    EXPECT_EQ(ReadSettingsFile(PathOf("pipe")), SettingsRecord{}) << "and does not wait";
    EXPECT_FALSE(WriteSettingsFile(PathOf("folder"), SettingsRecord{}));
}

TEST(SettingsLocationTest, BesideAWritableExecutableElseInTheUsersConfigurationFolder) {
    struct Case {
        bool writable;
        const char* xdgConfigHome;
        const char* expected;
    };
    const Case cases[] = {
        {true, "/xdg", "/opt/zef/Config.dat"},
        {false, "/xdg", "/xdg/zeftool/Config.dat"},
        {false, "", "/home/u/.config/zeftool/Config.dat"},
        {false, "relative/xdg", "/home/u/.config/zeftool/Config.dat"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(ChooseSettingsPath("/opt/zef", c.writable, c.xdgConfigHome, "/home/u"),
                  fs::path(c.expected));
    }
}

TEST_F(SettingsFileTest, TheProcessLooksAtItsFolderAndItsEnvironment) {
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    const std::string previous = saved ? saved : "";
    ASSERT_EQ(setenv("XDG_CONFIG_HOME", PathOf("xdg").c_str(), 1), 0);
    EXPECT_EQ(SettingsFilePath(folder_.path()), PathOf("Config.dat"));
    EXPECT_EQ(SettingsFilePath(PathOf("not-there")), PathOf("xdg/zeftool/Config.dat"));
    if (saved) {
        setenv("XDG_CONFIG_HOME", previous.c_str(), 1);
    } else {
        unsetenv("XDG_CONFIG_HOME");
    }
}

}  // namespace
}  // namespace zef
