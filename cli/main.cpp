// zefcli: the batch tool over the model and export cores.

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli/ExportArguments.h"
#include "cli/ExportCommand.h"
#include "cli/ModelInfo.h"
#include "export/ExportOptions.h"
#include "generated/ProgramIdentity.h"
#include "model/ModelFileIO.h"
#include "model/ModelTexts.h"

namespace {

constexpr const char* kUsage =
    "usage: zefcli info MODEL\n"
    "       zefcli convert IN OUT\n"
    "       zefcli gif MODEL OUT [--vtr] [--end-wait S] [--smoothness 0..12] [--size WxH]\n"
    "                            [--aa] [--transparent] [--seed N] [--max-size BYTES]\n"
    "                            [--smallest]\n"
    "       zefcli webp MODEL OUT [the gif options but --smallest] [--lossy QUALITY]\n"
    "       zefcli apng MODEL OUT [the gif options but --smallest]\n"
    "       zefcli mp4 MODEL OUT [the gif options but --transparent and --smallest]\n"
    "       zefcli webm MODEL OUT [the gif options but --smallest]\n"
    "       zefcli bmp MODEL BASE [--vtr | --still] [--end-wait S] [--smoothness 0..12]\n"
    "                             [--size WxH] [--aa] [--seed N]\n"
    "       zefcli --help | --version\n";

constexpr const char* kHelp =
    "\n"
    "  info      the model's format, version, points, strokes, canvas and properties\n"
    "  convert   reads either model format and writes the current one\n"
    "  gif       writes an animated GIF; \".gif\" is appended unless OUT ends in it\n"
    "  webp      writes an animated WebP, lossless unless --lossy; \".webp\" is appended\n"
    "            unless OUT ends in it (in any case)\n"
    "  apng      writes an animated PNG; \".png\" is appended unless OUT ends in \".png\" or\n"
    "            \".apng\" (in any case)\n"
    "  mp4       writes an H.264 video through the ffmpeg program; \".mp4\" is appended\n"
    "            unless OUT ends in it (in any case)\n"
    "  webm      writes a VP9 video through the ffmpeg program, with real transparency;\n"
    "            \".webm\" is appended unless OUT ends in it (in any case)\n"
    "  bmp       writes BASE0000.bmp, BASE0001.bmp, ... (BASE.bmp for --still); a final\n"
    "            \".bmp\" of BASE is removed first\n"
    "\n"
    "  --vtr            the drawing grows stroke by stroke (default: shaking, 5 frames)\n"
    "  --still          one picture without jitter\n"
    "  --end-wait S     seconds the finished drawing stays at the end of --vtr (default 5)\n"
    "  --smoothness N   0..12, the frame delay of --vtr is 18 - N hundredths (default 12)\n"
    "  --size WxH       the output size (default: the model's)\n"
    "  --aa             resize by area averaging (anti-aliasing)\n"
    "  --transparent    the background colour shows as transparent (GIF without --aa;\n"
    "                   WebP, APNG and WebM with --aa too, the edges of the lines partly\n"
    "                   transparent)\n"
    "  --lossy Q        WebP: lossy compression at quality Q, 0..100 (default: lossless)\n"
    "  --smallest       GIF: every frame coded again with a slower search, for a file\n"
    "                   about a hundredth smaller in some three times the time\n"
    "  --seed N         the jitter's random seed (default: from the clock)\n"
    "  --max-size B     at most B bytes (123456, 500KB, 2.5MB; 1 KB = 1000 bytes): the\n"
    "                   largest size of the same shape whose file fits, for a lossy WebP\n"
    "                   or a video at a lower quality first; nothing is written when even\n"
    "                   the smallest does not fit (not for bmp)\n"
    "\n"
    "Exit status 0 on success, 1 when a model can't be read or a file can't be written\n"
    "(with the reason on standard error; ffmpeg's messages, or the package to install when\n"
    "it is missing), 2 for a usage error, 130 or 143 when SIGINT or SIGTERM stopped an\n"
    "export (leaving the files as they were, and no ffmpeg running).\n";

// The texts above spell out the smoothness range and the VTR frame delay.
static_assert(zef::kMaxSmoothness == 12 && zef::kSlowestVtrFrameDelay == 18);

int Usage() {
    std::fputs(kUsage, stderr);
    return 2;
}

// Reads a model, printing the reason on standard error when it cannot be read.
std::optional<zef::LoadedModel> Read(const std::string& path) {
    zef::LoadResult result = zef::ReadModelFile(path, zef::ModelProperties{});
    if (!result.model) {
        const std::string_view text = zef::LoadFailureText(result.failure);
        std::fprintf(stderr, "zefcli: %s: %s\n", path.c_str(),
                     text.empty() ? "cannot be opened" : std::string(text).c_str());
    }
    return std::move(result.model);
}

int Info(const std::string& path) {
    const std::optional<zef::LoadedModel> model = Read(path);
    if (!model) {
        return 1;
    }
    std::fputs(zef::DescribeModel(*model).c_str(), stdout);
    return 0;
}

int Convert(const std::string& in, const std::string& out) {
    std::optional<zef::LoadedModel> loaded = Read(in);
    if (!loaded) {
        return 1;
    }
    zef::Model model;
    model.properties = loaded->properties;
    model.points = std::move(loaded->points);
    if (!zef::WriteModelFile(out, model)) {
        std::fprintf(stderr, "zefcli: %s: %s\n", out.c_str(), zef::texts::kSaveFailed);
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return Usage();
    }
    const std::string_view command = argv[1];
    if (command == "--help" && argc == 2) {
        std::fputs(kUsage, stdout);
        std::fputs(kHelp, stdout);
        return 0;
    }
    if (command == "--version" && argc == 2) {
        std::printf("zefcli %s\n", zef::kVersion);
        return 0;
    }
    if (command == "info" && argc == 3) {
        return Info(argv[2]);
    }
    if (command == "convert" && argc == 4) {
        return Convert(argv[2], argv[3]);
    }
    const std::vector<std::string_view> arguments(argv + 2, argv + argc);
    const std::optional<zef::ExportArguments> parsed =
        zef::ParseExportArguments(command, arguments);
    return parsed ? zef::RunExport(*parsed, stderr) : Usage();
}
