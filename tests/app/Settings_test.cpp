#include <gtest/gtest.h>

#include <sys/stat.h>
#include <cerrno>
#include <climits>
#include <fstream>
#include <iterator>
#include <vector>

#include "Editor.h"
#include "FakeShell.h"
#include "SettingsFile.h"
#include "SettingsRecord.h"
#include "TempFolder.h"

namespace zef::test {
namespace {

// A record whose every field differs from its default, so each rule shows which fields it
// took from the file.
SettingsRecord Unusual(std::int32_t version) {
    SettingsRecord record;
    record.version = version;
    record.window = {-30, 1200};
    record.openInVtr = 0;
    record.properties = {.canvasWidth = 320,
                         .canvasHeight = 240,
                         .shakeStrength = 7,
                         .vtrSpeed = 9,
                         .lineColour = {1, 2, 3},
                         .shadowColour = {4, 5, 6},
                         .backgroundColour = {255, 0, 0},
                         .noShadow = 1,
                         .lineWidth = 11};
    record.unused = {0xAB, 0xCD, 0xEF};
    return record;
}

TEST(SettingsRecordTest, FirstRunWritesTheDefaultsAsTheseExactBytes) {
    const SettingsRecord atExit =
        SettingsRecordAtExit(SettingsRecord{}, WindowPosition{}, ModelProperties{}, Settings{});
    const std::vector<std::uint8_t> expected = {
        3,    0, 0, 0,   0,    0, 0,   0,   0, 0, 0, 0,
        1,    0, 0, 0,                                   // version, left, top, open-in-VTR
        3,    0, 0, 0,   40,   0, 0,   0,   0, 0, 0, 0,  // shake strength, VTR speed, no shadow
        0x20, 3, 0, 0,   0x58, 2, 0,   0,                // canvas 800 x 600
        0,    0, 0, 138, 72,   0, 238, 156, 0, 0, 0, 0,  // line, shadow, background, unused
        4,    0, 0, 0};                                  // line width
    const auto bytes = EncodeSettingsRecord(atExit);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), expected);
}

TEST(SettingsRecordTest, VersionDecidesWhichModelFieldsComeFromTheFile) {
    struct Case {
        std::int32_t version;
        bool modelFields;  // offsets 16 to 44
        bool lineWidth;
    };
    const Case cases[] = {{INT_MIN, false, false}, {-1, false, false},   {0, false, false},
                          {1, false, false},       {2, true, false},     {3, true, true},
                          {4, true, true},         {INT_MAX, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        const SettingsRecord stored = Unusual(c.version);
        const SettingsRecord read = DecodeSettingsRecord(EncodeSettingsRecord(stored));
        EXPECT_EQ(read.version, c.version) << "the version stays as read until the exit";
        EXPECT_EQ(read.window, stored.window);
        EXPECT_EQ(read.openInVtr, stored.openInVtr);
        EXPECT_EQ(read.unused, stored.unused);
        ModelProperties expected = c.modelFields ? stored.properties : ModelProperties{};
        expected.lineWidth = c.lineWidth ? stored.properties.lineWidth : 4;
        EXPECT_EQ(read.properties, expected);
    }
}

TEST(SettingsRecordTest, ADamagedRecordNeitherStopsTheStartNorTheFirstFrames) {
    const std::int32_t extremes[] = {INT_MIN, -1, 0, INT_MAX};
    for (const std::int32_t value : extremes) {
        SCOPED_TRACE(value);
        SettingsRecord record = Unusual(3);
        record.properties.canvasWidth = record.properties.canvasHeight = value;
        record.properties.shakeStrength = record.properties.vtrSpeed = value;
        record.properties.noShadow = record.properties.lineWidth = value;
        record.openInVtr = value;
        test::FakeShell shell;
        Editor editor(shell, 1);
        ApplySettingsRecord(DecodeSettingsRecord(EncodeSettingsRecord(record)),
                            editor.model().properties, editor.settings());
        editor.Start("", "/");
        editor.model().AppendPoint(10, 10, false);
        editor.model().AppendPoint(90, 50, true);
        editor.Command(CommandId::kShaking);
        for (int tick = 0; tick < 3; ++tick) {
            editor.ShakeTick();
            editor.FrameTick();
        }
        editor.Command(CommandId::kVtr);
        editor.FrameTick();
    }
}

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
    // A packaged program run by the administrator leaves nothing in the system's folders.
    for (const char* installed : {"/usr/bin", "/usr/bin/", "/usr/local/bin"}) {
        EXPECT_TRUE(IsSystemProgramFolder(installed)) << installed;
    }
    EXPECT_FALSE(IsSystemProgramFolder("/opt/zef"));
    EXPECT_FALSE(IsSystemProgramFolder("/usr/bin/zef"));
}

}  // namespace
}  // namespace zef::test
