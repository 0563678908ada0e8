#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "AppTexts.h"
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

TEST_F(ZefcliTest, InfoDescribesAnOlderFileOnTheLargestCanvas) {
    const Outcome outcome = Run("info '" + Write("old.ZF2", OlderFile()) + "'");
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out,
              "format: zf2\npoints: 3\nstrokes: 2\ncanvas: 800x600\nshakeStrength: 3\n"
              "vtrSpeed: 40\nnoShadow: 0\nlineWidth: 4\nlineColour: 0,0,0\n"
              "shadowColour: 138,72,0\nbackgroundColour: 238,156,0\npathLength: 5.00\n");
}

TEST_F(ZefcliTest, InfoLimitsTheCanvasAsTheCanvasWindowWould) {
    Model model;
    model.properties.canvasWidth = 5000;
    model.properties.canvasHeight = 3;
    model.properties.lineColour = {1, 2, 3};
    ASSERT_TRUE(WriteModelFile(PathOf("big.zfm"), model));
    model.properties.canvasWidth = 0;
    ASSERT_TRUE(WriteModelFile(PathOf("zero.zfm"), model));

    const Outcome big = Run("info " + PathOf("big.zfm"));
    EXPECT_EQ(big.status, 0);
    EXPECT_NE(big.out.find("format: zfm\nversion: 4\npoints: 0\nstrokes: 0\ncanvas: 800x10\n"),
              std::string::npos)
        << big.out;
    EXPECT_NE(big.out.find("lineColour: 1,2,3\n"), std::string::npos);
    EXPECT_NE(Run("info " + PathOf("zero.zfm")).out.find("canvas: 800x600\n"), std::string::npos);
}

TEST_F(ZefcliTest, ConvertWritesTheCurrentFormat) {
    const std::string in = Write("old.zf2", OlderFile());
    const std::string out = PathOf("new.zfm");
    EXPECT_EQ(Run("convert " + in + " " + out).status, 0);
    const LoadResult result = ReadModelFile(out, ModelProperties{});
    ASSERT_TRUE(result.model);
    EXPECT_EQ(result.model->version, 4);
    EXPECT_EQ(result.model->points.size(), 3u);
    EXPECT_EQ(result.model->points[1].shakeDy, -1);
}

TEST_F(ZefcliTest, FailuresExitWithOneAndTheProgramsMessage) {
    std::vector<std::uint8_t> newer = EncodeModel(ModelProperties{}, {});
    newer[10] = 9;
    const Outcome version = Run("info " + Write("newer.zfm", newer));
    EXPECT_EQ(version.status, 1);
    EXPECT_NE(version.err.find("최신버젼으로 불러오시세요;;."), std::string::npos);

    const Outcome name = Run("info " + Write("picture.png", newer));
    EXPECT_EQ(name.status, 1);
    EXPECT_NE(name.err.find(texts::kNotModelFile), std::string::npos);

    EXPECT_EQ(Run("info " + PathOf("missing.zfm")).status, 1);

    const std::string in = Write("old.zf2", OlderFile());
    const Outcome unwritable = Run("convert " + in + " " + PathOf("no/folder/x.zfm"));
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find(texts::kSaveFailed), std::string::npos);
}

TEST_F(ZefcliTest, UsageErrorsExitWithTwo) {
    for (const char* arguments : {"", "info", "info a b", "convert a", "draw x"}) {
        const Outcome outcome = Run(arguments);
        EXPECT_EQ(outcome.status, 2) << arguments;
        EXPECT_NE(outcome.err.find("usage"), std::string::npos);
    }
}

// A model of two strokes on a 50 x 30 canvas.
std::vector<std::uint8_t> SmallModel() {
    ModelProperties properties;
    properties.canvasWidth = 50;
    properties.canvasHeight = 30;
    std::vector<PointRecord> points;
    for (const auto& [x, y, kind] : {std::tuple{5, 5, kStrokeStart},
                                     {45, 8, kStrokeContinuation},
                                     {40, 25, kStrokeContinuation},
                                     {8, 25, kStrokeStart},
                                     {20, 10, kStrokeContinuation}}) {
        PointRecord point;
        point.x = x;
        point.y = y;
        point.kind = static_cast<std::uint8_t>(kind);
        points.push_back(point);
    }
    return EncodeModel(properties, points);
}

TEST_F(ZefcliTest, ExportsWithThePathRulesAndTheSameBytesForTheSameSeed) {
    const std::string model = Write("m.zfm", SmallModel());
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
    EXPECT_EQ(Run("gif " + model + " " + PathOf("z.gif") + " --seed 6 --size 100x60 --aa").status,
              0);
    EXPECT_NE(Slurp(PathOf("z.gif")), bytes);

    EXPECT_EQ(Run("bmp " + model + " " + PathOf("walk.bmp") + " --seed 1").status, 0);
    EXPECT_TRUE(std::filesystem::exists(PathOf("walk0004.bmp")));
    EXPECT_FALSE(std::filesystem::exists(PathOf("walk0005.bmp")));
    EXPECT_EQ(Run("bmp " + model + " " + PathOf("still") + " --still --size 7x3").status, 0);
    EXPECT_EQ(Slurp(PathOf("still.bmp")).size(), 14u + 40 + 4 * 3 + 8 * 3);
}

TEST_F(ZefcliTest, ExportFailuresAndUsage) {
    const std::string model = Write("m.zfm", SmallModel());
    const Outcome empty =
        Run("gif " + Write("e.zfm", EncodeModel(ModelProperties{}, {})) + " " + PathOf("e"));
    EXPECT_EQ(empty.status, 1);
    EXPECT_NE(empty.err.find(texts::kEmptyModel), std::string::npos);

    const Outcome huge = Run("gif " + model + " " + PathOf("h") + " --size 70000x10");
    EXPECT_EQ(huge.status, 1);
    EXPECT_NE(huge.err.find(texts::kGifNoWorkBuffer), std::string::npos);
    EXPECT_NE(huge.err.find(texts::kGifFailed), std::string::npos);

    const Outcome unwritable = Run("bmp " + model + " " + PathOf("no/folder/w"));
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find(texts::kBmpFailed), std::string::npos);

    for (const char* options : {"--smoothness 13", "--size 0x5", "--size 5", "--end-wait -1",
                                "--seed", "--bogus", "--vtr --vtr", "--still"}) {
        const Outcome outcome = Run("gif " + model + " " + PathOf("u") + " " + options);
        EXPECT_EQ(outcome.status, 2) << options;
    }
    EXPECT_EQ(Run("bmp " + model + " " + PathOf("u") + " --vtr --still").status, 2);
    EXPECT_EQ(Run("bmp " + model + " " + PathOf("u") + " --transparent").status, 2);
    EXPECT_EQ(Run("gif " + model).status, 2);
    EXPECT_FALSE(std::filesystem::exists(PathOf("u.gif")));

    const Outcome help = Run("--help");
    EXPECT_EQ(help.status, 0);
    for (const char* word : {"info", "convert", "gif", "bmp", "--vtr", "--still", "--end-wait",
                             "--smoothness", "--size", "--aa", "--transparent", "--seed"}) {
        EXPECT_NE(help.out.find(word), std::string::npos) << word;
    }
}

}  // namespace
}  // namespace zef
