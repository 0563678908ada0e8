#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <string>

#include "export/HeldExport.h"
#include "tests/TempFolder.h"
#include "tests/export/TestScene.h"

namespace zef {
namespace {

using test::Contents;
using test::Entries;
using test::TempFolder;
using test::TestScene;

namespace fs = std::filesystem;

// A held file is the one the ordinary export writes, byte for byte: measured, copied and
// then placed through a link to an existing file, whose permission bits it keeps; nothing is
// written beside it before, and nothing is left after. ffmpeg writes a video by name, so its
// held file has one of the running program.
TEST(HeldExportTest, TheHeldFileIsTheExportPlacedLater) {
    const struct {
        ExportFormat format;
        const char* name;
        WebpCompression compression;
    } cases[] = {{ExportFormat::kGif, "a.gif", {}},     {ExportFormat::kWebp, "a.webp", {}},
                 {ExportFormat::kWebp, "b.webp", {60}}, {ExportFormat::kApng, "a.png", {}},
                 {ExportFormat::kMp4, "a.mp4", {}},     {ExportFormat::kWebm, "a.webm", {}}};
    TestScene scene;
    for (const auto& c : cases) {
        TempFolder folder, plainFolder;
        const std::string real = folder.PathOf("real");
        std::ofstream(real) << "before";
        fs::permissions(real, fs::perms(0640));
        const std::string link = folder.PathOf(c.name);
        fs::create_symlink("real", link);
        const ExportRequest request{link, ExportKind::kVtr, 30, 20, true, false, 1, 6};
        const ExportJob job{c.format, request, c.compression, {}};
        test::RecordingProgress progress;
        HeldExport held = ExportHeld(job, scene.model, scene.selection, 5, progress);
        ASSERT_TRUE(held.result.Succeeded()) << c.name;

        ExportJob plain = job;
        plain.request.path = plainFolder.PathOf(c.name);
        ASSERT_TRUE(ExportPlainly(plain, scene.model, scene.selection, 5, progress).Succeeded());
        const std::string expected = Contents(plain.request.path);
        const std::map<std::string, std::string> before = Entries(folder.path());
        EXPECT_EQ(before.size(),
                  c.format == ExportFormat::kMp4 || c.format == ExportFormat::kWebm ? 3u : 2u)
            << c.name;
        EXPECT_EQ(before.at("real"), "before") << c.name;
        EXPECT_EQ(held.bytes, expected.size()) << c.name;
        EXPECT_EQ(held.file.Size(), expected.size()) << c.name;

        ASSERT_TRUE(held.file.CopyTo(plainFolder.PathOf("copy"))) << c.name;
        EXPECT_TRUE(Contents(plainFolder.PathOf("copy")) == expected) << c.name;

        ASSERT_TRUE(held.file.Place(link)) << c.name;
        EXPECT_FALSE(held.file.Held());
        EXPECT_TRUE(fs::is_symlink(link)) << c.name;
        EXPECT_TRUE(Contents(real) == expected) << c.name;
        EXPECT_EQ(fs::status(real).permissions() & fs::perms::all, fs::perms(0640)) << c.name;
        EXPECT_EQ(Entries(folder.path()).size(), 2u) << c.name;
    }
}

// A dropped held file leaves nothing, named or not; a write that is held never rewrites the
// target in place.
TEST(HeldExportTest, ADroppedFileLeavesNothing) {
    TestScene scene;
    for (const ExportFormat format : {ExportFormat::kGif, ExportFormat::kMp4}) {
        TempFolder folder;
        const ExportJob job{format, {folder.PathOf("a"), ExportKind::kShaking, 30, 20}, {}, {}};
        test::RecordingProgress progress;
        HeldExport held = ExportHeld(job, scene.model, scene.selection, 5, progress);
        ASSERT_TRUE(held.result.Succeeded());
        held.file.Drop();
        EXPECT_TRUE(Entries(folder.path()).empty());
    }
}

}  // namespace
}  // namespace zef
