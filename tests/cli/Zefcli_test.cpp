#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "ExportTexts.h"
#include "ModelFile.h"
#include "ModelFileIO.h"
#include "ModelTexts.h"
#include "TempFolder.h"

namespace zef {
namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

class ZefcliTest : public ::testing::Test {
  protected:
    std::string PathOf(const std::string& name) const { return folder_.PathOf(name); }

    static std::string Slurp(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    Outcome Run(const std::string& arguments) const {
        const std::string out = PathOf("stdout"), err = PathOf("stderr");
        const std::string command =
            std::string(ZEFCLI_PROGRAM) + " " + arguments + " >" + out + " 2>" + err;
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(out), Slurp(err)};
    }

    std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
        const std::string path = PathOf(name);
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    // Two strokes on a 50 x 30 canvas.
    std::string WriteSmallModel() const {
        Model small;
        small.properties.canvasWidth = 50;
        small.properties.canvasHeight = 30;
        for (const auto& [x, y, connect] : {std::tuple{5, 5, false},
                                            {45, 8, true},
                                            {40, 25, true},
                                            {8, 25, false},
                                            {20, 10, true}}) {
            small.AppendPoint(x, y, connect);
        }
        const std::string path = PathOf("m.zfm");
        EXPECT_TRUE(WriteModelFile(path, small));
        return path;
    }

    test::TempFolder folder_;
};

std::vector<std::uint8_t> OlderFile() {
    // count 3: a start, a 3-4-5 continuation and a start at the tail; each point is x and y,
    // kind, jitter 1 and -1, a reserved byte.
    return {3, 0, 0, 0,                                               //
            0, 0, 0, 0, 0, 0, 0, 0, kStrokeStart,        1, 0xFF, 0,  //
            3, 0, 0, 0, 4, 0, 0, 0, kStrokeContinuation, 1, 0xFF, 0,  //
            9, 0, 0, 0, 9, 0, 0, 0, kStrokeStart,        1, 0xFF, 0};
}

TEST_F(ZefcliTest, InfoDescribesOlderAndCurrentFilesWithTheCanvasHeldAsTheWindowHoldsIt) {
    const Outcome older = Run("info '" + Write("old.ZF2", OlderFile()) + "'");
    EXPECT_EQ(older.status, 0);
    EXPECT_EQ(older.out,
              "format: zf2\npoints: 3\nstrokes: 2\ncanvas: 800x600\nshakeStrength: 3\n"
              "vtrSpeed: 40\nnoShadow: 0\nlineWidth: 4\nlineColour: 0,0,0\n"
              "shadowColour: 138,72,0\nbackgroundColour: 238,156,0\npathLength: 5.00\n");

    Model model;
    model.properties.canvasWidth = 5000;
    model.properties.canvasHeight = 3;
    ASSERT_TRUE(WriteModelFile(PathOf("big.zfm"), model));
    model.properties.canvasWidth = 0;
    ASSERT_TRUE(WriteModelFile(PathOf("zero.zfm"), model));
    const Outcome big = Run("info " + PathOf("big.zfm"));
    EXPECT_EQ(big.status, 0);
    EXPECT_NE(big.out.find("format: zfm\nversion: 4\npoints: 0\nstrokes: 0\ncanvas: 800x10\n"),
              std::string::npos)
        << big.out;
    EXPECT_NE(Run("info " + PathOf("zero.zfm")).out.find("canvas: 800x600\n"), std::string::npos);

    const std::string out = PathOf("new.zfm");
    EXPECT_EQ(Run("convert " + PathOf("old.ZF2") + " " + out).status, 0);
    const LoadResult result = ReadModelFile(out, ModelProperties{});
    ASSERT_TRUE(result.model);
    EXPECT_EQ(result.model->version, 4);
    EXPECT_EQ(result.model->points.size(), 3u);
    EXPECT_EQ(result.model->points[1].shakeDy, -1);
}

TEST_F(ZefcliTest, ExportsWithThePathRulesAndTheSameBytesForTheSameSeed) {
    const std::string model = WriteSmallModel();
    const Outcome first = Run("gif " + model + " " + PathOf("x.GIF") + " --vtr --seed 5");
    EXPECT_EQ(first.status, 0);
    EXPECT_EQ(first.err,
              "zefcli: 10%\nzefcli: 20%\nzefcli: 30%\nzefcli: 40%\nzefcli: 50%\n"
              "zefcli: 60%\nzefcli: 70%\nzefcli: 80%\nzefcli: 90%\nzefcli: 100%\n");
    const std::string bytes = Slurp(PathOf("x.GIF.gif"));
    EXPECT_EQ(bytes.substr(0, 6), "GIF89a");
    EXPECT_EQ(Run("gif " + model + " " + PathOf("y.gif") + " --vtr --seed 5 --end-wait 5").status,
              0);
    EXPECT_EQ(Slurp(PathOf("y.gif")), bytes);
    for (const char* out : {"w.WebP", "w2"}) {
        const Outcome webp =
            Run("webp " + model + " " + PathOf(out) + " --vtr --aa --transparent --seed 5");
        EXPECT_EQ(webp.status, 0);
        EXPECT_EQ(webp.err, first.err);
    }
    const std::string webp = Slurp(PathOf("w.WebP"));
    EXPECT_EQ(webp.substr(8, 4), "WEBP");
    EXPECT_EQ(Slurp(PathOf("w2.webp")), webp);

    EXPECT_EQ(Run("bmp " + model + " " + PathOf("walk.bmp") + " --seed 1").status, 0);
    EXPECT_TRUE(std::filesystem::exists(PathOf("walk0004.bmp")));
    EXPECT_FALSE(std::filesystem::exists(PathOf("walk0005.bmp")));
    EXPECT_EQ(Run("bmp " + model + " " + PathOf("still") + " --still --size 7x3").status, 0);
    EXPECT_EQ(Slurp(PathOf("still.bmp")).size(), 14u + 40 + 4 * 3 + 8 * 3);
}

// Failures exit with 1 and the program's message, usage errors with 2 and nothing written.
TEST_F(ZefcliTest, FailuresAndUsageErrors) {
    std::vector<std::uint8_t> newer = EncodeModel(ModelProperties{}, {});
    newer[10] = 9;
    Model stroke;
    stroke.AppendPoint(5, 5, false);
    stroke.AppendPoint(45, 8, true);
    ASSERT_TRUE(WriteModelFile(PathOf("m.zfm"), stroke));
    const std::string m = PathOf("m.zfm") + " ";
    const std::string old = Write("old.zf2", OlderFile()) + " ";
    const std::string empty = Write("e.zfm", EncodeModel(ModelProperties{}, {})) + " ";
    for (const auto& [arguments, message] :
         {std::pair<std::string, const char*>{"info " + Write("newer.zfm", newer),
                                              "최신버젼으로 불러오시세요;;."},
          {"info " + Write("picture.png", newer), texts::kNotModelFile},
          {"info " + PathOf("missing.zfm"), ""},
          {"convert " + old + PathOf("no/folder/x.zfm"), texts::kSaveFailed},
          {"gif " + empty + PathOf("e"), texts::kEmptyModel},
          {"gif " + m + PathOf("h") + " --size 70000x10", texts::kGifNoWorkBuffer},
          {"gif " + m + PathOf("h") + " --size 70000x10", texts::kGifFailed},
          {"webp " + m + PathOf("h") + " --size 16384x10", texts::kWebpNoWorkBuffer},
          {"bmp " + m + PathOf("no/folder/w"), texts::kBmpFailed}}) {
        const Outcome outcome = Run(arguments);
        EXPECT_EQ(outcome.status, 1) << arguments;
        EXPECT_NE(outcome.err.find(message), std::string::npos) << arguments;
    }
    for (const char* arguments : {"", "info", "info a b", "convert a", "draw x"}) {
        const Outcome outcome = Run(arguments);
        EXPECT_EQ(outcome.status, 2) << arguments;
        EXPECT_NE(outcome.err.find("usage"), std::string::npos);
    }
    const std::string u = PathOf("u");
    EXPECT_EQ(Run("gif " + m).status, 2);
    for (const char* options :
         {"gif --smoothness 13", "gif --size 0x5", "gif --size 5", "gif --end-wait -1",
          "gif --seed", "gif --bogus", "gif --vtr --vtr", "gif --still", "bmp --vtr --still",
          "bmp --transparent", "gif --lossy 50", "webp --lossy 101", "webp --lossy",
          "webp --still"}) {
        const std::string o = options;
        const std::size_t space = o.find(' ');
        EXPECT_EQ(Run(o.substr(0, space) + " " + m + u + o.substr(space)).status, 2) << options;
    }
    EXPECT_FALSE(std::filesystem::exists(u + ".gif"));
    EXPECT_FALSE(std::filesystem::exists(u + ".webp"));
}

bool HasTemporaryFile(const std::string& folder) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().filename().string().starts_with(".zeftool-")) {
            return true;
        }
    }
    return false;
}

// A signal that reaches a long export once it has started writing stops it: the exit status
// names the signal and the folder holds what it held.
TEST_F(ZefcliTest, AStopSignalEndsAnExportLeavingTheFolderAsItWas) {
    const std::string model = WriteSmallModel();
    const std::string out = PathOf("out");
    std::filesystem::create_directory(out);
    std::ofstream(out + "/x.gif") << "old";
    std::ofstream(out + "/walk0000.bmp") << "old";
    const auto before = test::Entries(out);
    for (const auto& [command, name, size, stop] :
         {std::tuple{"gif", "x.gif", "800x600", SIGINT}, {"bmp", "walk", "240x180", SIGTERM}}) {
        SCOPED_TRACE(command);
        const std::string target = out + "/" + name;
        const char* argv[] = {ZEFCLI_PROGRAM, command, model.c_str(), target.c_str(), "--vtr",
                              "--end-wait",   "100",   "--size",      size,           nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 2, PathOf("stderr").c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        pid_t child = 0;
        ASSERT_EQ(posix_spawn(&child, ZEFCLI_PROGRAM, &actions, nullptr,
                              const_cast<char* const*>(argv), environ),
                  0);
        posix_spawn_file_actions_destroy(&actions);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!HasTemporaryFile(out) && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        kill(child, stop);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 128 + stop);
        EXPECT_EQ(test::Entries(out), before);
        EXPECT_TRUE(Slurp(PathOf("stderr")).ends_with(std::string(texts::kExportCancelled) + "\n"));
    }
}

}  // namespace
}  // namespace zef
