#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "export/ExportTexts.h"
#include "model/ModelFile.h"
#include "model/ModelFileIO.h"
#include "model/ModelTexts.h"
#include "tests/TempFolder.h"
#include "tests/model/PointList.h"

namespace zef::test {
namespace {

using ::testing::HasSubstr;

struct Outcome {
    int status = -1;
    std::string out, err;
    friend bool operator==(const Outcome&, const Outcome&) = default;
};

void PrintTo(const Outcome& o, std::ostream* os) {
    *os << "status " << o.status << "\nout:\n" << o.out << "err:\n" << o.err;
}

class ZefcliTest : public ::testing::Test {
  protected:
    std::string PathOf(const std::string& name) const { return folder_.PathOf(name); }

    // `environment`: assignments, each followed by a space, the program runs with.
    Outcome Run(const std::string& arguments, const std::string& environment = "") const {
        const std::string out = PathOf("stdout"), err = PathOf("stderr");
        const int raw = std::system(
            (environment + ZEFCLI_PROGRAM + " " + arguments + " >" + out + " 2>" + err).c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Contents(out), Contents(err)};
    }

    std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
        std::ofstream(PathOf(name), std::ios::binary) << std::string(bytes.begin(), bytes.end());
        return PathOf(name);
    }

    // Two strokes on a 50 x 30 canvas.
    std::string WriteSmallModel() const {
        Model small = ModelOf({{5, 5, S}, {45, 8}, {40, 25}, {8, 25, S}, {20, 10}});
        small.properties = {.canvasWidth = 50, .canvasHeight = 30};
        EXPECT_TRUE(WriteModelFile(PathOf("m.zfm"), small));
        return PathOf("m.zfm");
    }

    TempFolder folder_;
};

// A start, a 3-4-5 continuation and a start at the tail, each with jitter 1 and -1.
const std::vector<std::uint8_t> kOlderFile{
    3, 0, 0, 0,                                               //
    0, 0, 0, 0, 0, 0, 0, 0, kStrokeStart,        1, 0xFF, 0,  //
    3, 0, 0, 0, 4, 0, 0, 0, kStrokeContinuation, 1, 0xFF, 0,  //
    9, 0, 0, 0, 9, 0, 0, 0, kStrokeStart,        1, 0xFF, 0};

TEST_F(ZefcliTest, InfoDescribesOlderAndCurrentFilesWithTheCanvasHeldAsTheWindowHoldsIt) {
    const std::string described =
        "points: 3\nstrokes: 2\ncanvas: 800x600\nshakeStrength: 3\nvtrSpeed: 40\nnoShadow: 0\n"
        "lineWidth: 4\nlineColour: 0,0,0\nshadowColour: 138,72,0\nbackgroundColour: 238,156,0\n"
        "pathLength: 5.00\n";
    EXPECT_EQ(Run("info '" + Write("old.ZF2", kOlderFile) + "'"),
              (Outcome{0, "format: zf2\n" + described, ""}));
    ASSERT_EQ(Run("convert " + PathOf("old.ZF2") + " " + PathOf("new.zfm")).status, 0);
    EXPECT_EQ(Run("info " + PathOf("new.zfm")).out, "format: zfm\nversion: 4\n" + described);

    for (const auto& [width, canvas] : {std::pair{5000, "800x10"}, {0, "800x600"}}) {
        Model model;
        model.properties = {.canvasWidth = width, .canvasHeight = 3};
        ASSERT_TRUE(WriteModelFile(PathOf("c.zfm"), model));
        EXPECT_THAT(Run("info " + PathOf("c.zfm")).out,
                    HasSubstr("canvas: " + std::string(canvas)));
    }
}

TEST_F(ZefcliTest, ExportsWithThePathRulesAndTheSameBytesForTheSameSeed) {
    const std::string m = WriteSmallModel() + " ";
    const Outcome progress{0, "",
                           "zefcli: 10%\nzefcli: 20%\nzefcli: 30%\nzefcli: 40%\nzefcli: 50%\n"
                           "zefcli: 60%\nzefcli: 70%\nzefcli: 80%\nzefcli: 90%\nzefcli: 100%\n"};
    EXPECT_EQ(Run("gif " + m + PathOf("x.GIF") + " --vtr --seed 5"), progress);
    const std::string gif = Contents(PathOf("x.GIF.gif"));
    EXPECT_EQ(gif.substr(0, 6), "GIF89a");
    EXPECT_EQ(Run("gif " + m + PathOf("y.gif") + " --vtr --seed 5 --end-wait 5"), progress);
    EXPECT_EQ(Contents(PathOf("y.gif")), gif);
    EXPECT_EQ(Run("gif " + m + PathOf("s.gif") + " --vtr --seed 5 --smallest"), progress);
    EXPECT_LE(Contents(PathOf("s.gif")).size(), gif.size());
    for (const char* out : {"w.WebP", "w2"}) {
        EXPECT_EQ(Run("webp " + m + PathOf(out) + " --vtr --aa --transparent --seed 5"), progress);
    }
    const std::string webp = Contents(PathOf("w.WebP"));
    EXPECT_EQ(webp.substr(8, 4), "WEBP");
    EXPECT_EQ(Contents(PathOf("w2.webp")), webp);
    for (const auto& [command, out, written, magic] :
         {std::tuple{"mp4", "v.MP4", "v.MP4", std::string("ftyp")},
          {"webm", "v", "v.webm", std::string("\x1A\x45\xDF\xA3")}}) {
        EXPECT_EQ(Run(std::string(command) + " " + m + PathOf(out) + " --vtr --seed 5"), progress);
        EXPECT_THAT(Contents(PathOf(written)).substr(0, 8), HasSubstr(magic)) << command;
    }
    for (const char* out : {"p.APNG", "p2"}) {
        EXPECT_EQ(Run("apng " + m + PathOf(out) + " --vtr --aa --transparent --seed 5"), progress);
    }
    const std::string apng = Contents(PathOf("p.APNG"));
    EXPECT_EQ(apng.substr(1, 3), "PNG");
    EXPECT_EQ(Contents(PathOf("p2.png")), apng);

    EXPECT_EQ(Run("bmp " + m + PathOf("walk.bmp") + " --seed 1").status, 0);
    EXPECT_TRUE(std::filesystem::exists(PathOf("walk0004.bmp")));
    EXPECT_FALSE(std::filesystem::exists(PathOf("walk0005.bmp")));
    EXPECT_EQ(Run("bmp " + m + PathOf("still") + " --still --size 7x3").status, 0);
    EXPECT_EQ(Contents(PathOf("still.bmp")).size(), 14u + 40 + 4 * 3 + 8 * 3);
}

// Failures exit with 1 and the program's message, usage errors with 2 and nothing written.
TEST_F(ZefcliTest, FailuresAndUsageErrors) {
    std::vector<std::uint8_t> newer = EncodeModel(ModelProperties{}, {});
    newer[10] = 9;
    const std::string m = WriteSmallModel() + " ";
    const std::string empty = Write("e.zfm", EncodeModel(ModelProperties{}, {})) + " ";
    for (const auto& [arguments, message] :
         {std::pair<std::string, const char*>{"info " + Write("newer.zfm", newer),
                                              "최신버젼으로 불러오시세요;;."},
          {"info " + Write("picture.png", newer), texts::kNotModelFile},
          {"info " + PathOf("missing.zfm"), ""},
          {"convert " + m + PathOf("no/folder/x.zfm"), texts::kSaveFailed},
          {"gif " + empty + PathOf("e"), texts::kEmptyModel},
          {"gif " + m + PathOf("h") + " --size 70000x10", texts::kGifNoWorkBuffer},
          {"webp " + m + PathOf("h") + " --size 16384x10", texts::kWebpNoWorkBuffer},
          {"apng " + m + PathOf("no/folder/a"), texts::kApngFailed},
          {"bmp " + m + PathOf("no/folder/w"), texts::kBmpFailed},
          {"gif " + m + PathOf("tiny") + " --max-size 10", texts::kExportNothingFits}}) {
        const Outcome outcome = Run(arguments);
        EXPECT_EQ(outcome.status, 1) << arguments;
        EXPECT_THAT(outcome.err, HasSubstr(message)) << arguments;
    }
    const Outcome noEncoder = Run("mp4 " + m + PathOf("v"), "PATH=" + PathOf("none") + " ");
    EXPECT_EQ(noEncoder.status, 1);
    EXPECT_THAT(noEncoder.err, HasSubstr(texts::kVideoNeedsFfmpeg));
    const std::string u = PathOf("u"), gif = "gif " + m + u, bmp = "bmp " + m + u;
    for (const std::string& arguments :
         std::initializer_list<std::string>{"",
                                            "info",
                                            "info a b",
                                            "convert a",
                                            "draw x",
                                            "gif " + m,
                                            gif + " --smoothness 13",
                                            gif + " --size 0x5",
                                            gif + " --size 5",
                                            gif + " --end-wait -1",
                                            gif + " --seed",
                                            gif + " --bogus",
                                            gif + " --still",
                                            bmp + " --vtr --still",
                                            bmp + " --transparent",
                                            gif + " --lossy 50",
                                            "webp " + m + u + " --smallest",
                                            "webp " + m + u + " --lossy 101",
                                            "mp4 " + m + u + " --transparent",
                                            "apng " + m + u + " --lossy 5",
                                            gif + " --max-size 5XB",
                                            gif + " --max-size",
                                            bmp + " --max-size 1MB"}) {
        const Outcome outcome = Run(arguments);
        EXPECT_EQ(outcome.status, 2) << arguments;
        EXPECT_THAT(outcome.err, HasSubstr("usage")) << arguments;
    }
    EXPECT_FALSE(std::filesystem::exists(u + ".gif") || std::filesystem::exists(u + ".webp"));
}

// Under --max-size the sample is written at the largest size (and for a video the best
// quality) whose file fits, which is told.
TEST_F(ZefcliTest, AMaxSizeWritesTheLargestFileUnderIt) {
    for (const auto& [command, out, limit] :
         {std::tuple{"gif", "s.gif", 10'000u}, {"mp4", "s.mp4", 8'000u}}) {
        const Outcome outcome = Run(std::string(command) + " " + ZEF_SAMPLE_MODEL + " " +
                                    PathOf(out) + " --seed 1 --max-size " + std::to_string(limit));
        EXPECT_EQ(outcome.status, 0) << command;
        EXPECT_THAT(outcome.err, HasSubstr(" bytes\n")) << command;
        const auto size = std::filesystem::file_size(PathOf(out));
        EXPECT_LE(size, limit) << command;
        EXPECT_GE(size, limit * 8 / 10) << command;
    }
}

// A signal that reaches a long export once it has started writing stops it: the exit status
// names the signal and the folder holds what it held.
TEST_F(ZefcliTest, AStopSignalEndsAnExportLeavingTheFolderAsItWas) {
    const std::string model = WriteSmallModel();
    const std::string out = PathOf("out");
    std::filesystem::create_directory(out);
    std::ofstream(out + "/x.gif") << "old";
    std::ofstream(out + "/walk0000.bmp") << "old";
    std::ofstream(out + "/x.mp4") << "old";
    const auto before = Entries(out);
    // Writing has begun once the program holds a file open in the folder: a temporary file
    // without a name shows there as well.
    pid_t child = 0;
    const auto writing = [&out, &child] {
        std::error_code error;
        const std::filesystem::directory_iterator fds("/proc/" + std::to_string(child) + "/fd",
                                                      error);
        return !error && std::ranges::any_of(fds, [&out](const auto& fd) {
            std::error_code gone;
            return std::filesystem::read_symlink(fd.path(), gone).string().starts_with(out + "/");
        });
    };
    for (const auto& [command, name, size, stop] : {std::tuple{"gif", "x.gif", "800x600", SIGINT},
                                                    {"bmp", "walk", "240x180", SIGTERM},
                                                    {"mp4", "x.mp4", "800x600", SIGINT}}) {
        SCOPED_TRACE(command);
        const std::string script =
            "exec " + std::string(ZEFCLI_PROGRAM) + " " + command + " " + model + " " + out + "/" +
            name + " --vtr --end-wait 100 --size " + size + " 2>" + PathOf("stderr");
        const char* argv[] = {"sh", "-c", script.c_str(), nullptr};
        ASSERT_EQ(posix_spawn(&child, "/bin/sh", nullptr, nullptr, const_cast<char* const*>(argv),
                              environ),
                  0);
        for (int waited = 0; waited < 60'000 && !writing(); ++waited) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        kill(child, stop);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 128 + stop) << status;
        EXPECT_EQ(Entries(out), before);
        EXPECT_TRUE(
            Contents(PathOf("stderr")).ends_with(std::string(texts::kExportCancelled) + "\n"));
    }
}

}  // namespace
}  // namespace zef::test
