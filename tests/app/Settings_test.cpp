#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "app/desktop/SettingsFile.h"
#include "app/desktop/SettingsRecord.h"
#include "app/editor/Editor.h"
#include "tests/TempFolder.h"
#include "tests/app/FakeShell.h"

namespace zef::test {
namespace {

// The folder of the file is made when missing.
TEST(SettingsRecordTest, FirstRunWritesTheDefaultsAsTheseExactBytes) {
    TempFolder folder;
    const std::filesystem::path path = folder.path() / "config" / "zeftool" / "Config.dat";
    ASSERT_TRUE(WriteSettingsFile(path, SettingsRecordAtExit({}, {}, {}, {})));
    const std::vector<std::uint8_t> expected = {
        3,    0, 0, 0,   0,    0, 0,   0,   0, 0, 0, 0,
        1,    0, 0, 0,                                   // version, left, top, open-in-VTR
        3,    0, 0, 0,   40,   0, 0,   0,   0, 0, 0, 0,  // shake strength, VTR speed, no shadow
        0x20, 3, 0, 0,   0x58, 2, 0,   0,                // canvas 800 x 600
        0,    0, 0, 138, 72,   0, 238, 156, 0, 0, 0, 0,  // line, shadow, background, unused
        4,    0, 0, 0};                                  // line width
    std::ifstream file(path, std::ios::binary);
    EXPECT_EQ(std::vector<std::uint8_t>(std::istreambuf_iterator<char>(file), {}), expected);
}

TEST(SettingsRecordTest, VersionDecidesWhichModelFieldsComeFromTheFile) {
    const struct {
        std::int32_t version;
        bool modelFields;  // offsets 16 to 44
        bool lineWidth;
    } cases[] = {
        {INT_MIN, false, false}, {1, false, false},     {2, true, false},
        {3, true, true},         {INT_MAX, true, true},
    };
    // Every field differs from its default, so the record shows which came from the file.
    const ModelProperties unusual{320, 240, 7, 9, {1, 2, 3}, {4, 5, 6}, {255, 0, 0}, 1, 11};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        const SettingsRecord stored{c.version, {-30, 1200}, 0, unusual, {0xAB, 0xCD, 0xEF}};
        const SettingsRecord read = DecodeSettingsRecord(EncodeSettingsRecord(stored));
        SettingsRecord expected = stored;
        expected.properties = c.modelFields ? stored.properties : ModelProperties{};
        expected.properties.lineWidth = c.lineWidth ? stored.properties.lineWidth : 4;
        EXPECT_EQ(read, expected) << "the version stays as read until the exit";
    }
}

TEST(SettingsRecordTest, ADamagedRecordNeitherStopsTheStartNorTheFirstFrames) {
    for (const std::int32_t value : {INT_MIN, -1, 0, INT_MAX}) {
        SCOPED_TRACE(value);
        const SettingsRecord record{
            3, {}, value, {value, value, value, value, {}, {}, {}, value, value}};
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
        EXPECT_EQ(editor.model().points.size(), 2u);
        const CanvasSize shown = shell.lastPresented;
        EXPECT_TRUE(shown.width >= 0 && shown.width <= 800 && shown.height >= 0 &&
                    shown.height <= 600)
            << shown.width << " x " << shown.height;
    }
}

namespace fs = std::filesystem;

TEST(SettingsLocationTest, BesideAWritableExecutableElseInTheUsersConfigurationFolder) {
    const struct {
        bool writable;
        const char* xdgConfigHome;
        const char* expected;
    } cases[] = {{true, "/xdg", "/opt/zef/Config.dat"},
                 {false, "/xdg", "/xdg/zeftool/Config.dat"},
                 {false, "relative/xdg", "/home/u/.config/zeftool/Config.dat"}};
    for (const auto& c : cases) {
        EXPECT_EQ(ChooseSettingsPath("/opt/zef", c.writable, c.xdgConfigHome, "/home/u"),
                  fs::path(c.expected));
    }
    // A packaged program run by the administrator leaves nothing in the system's folders.
    EXPECT_TRUE(IsSystemProgramFolder("/usr/bin") && IsSystemProgramFolder("/usr/bin/") &&
                IsSystemProgramFolder("/usr/local/bin"));
    EXPECT_FALSE(IsSystemProgramFolder("/opt/zef"));
    EXPECT_FALSE(IsSystemProgramFolder("/usr/bin/zef"));
}

}  // namespace
}  // namespace zef::test
