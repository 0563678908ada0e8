#include "export/VideoWriter.h"

#include <sys/wait.h>

#include <bit>
#include <cctype>
#include <cstdio>

#include "export/ExportTexts.h"

namespace zef {
namespace {

constexpr const char* kEncoder = "ffmpeg";

// The frames go down the pipe as the colour values are stored, red first, with the opacity
// in the top byte: RGBA in memory on a little-endian machine.
static_assert(std::endian::native == std::endian::little);

// The background colour value (red + 256 green + 65536 blue) as ffmpeg reads colours.
std::string ColourArgument(std::uint32_t colour) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%02X%02X%02X", colour & 0xFFu, colour >> 8 & 0xFFu,
                  colour >> 16 & 0xFFu);
    return text;
}

// H.264 at a quality (kMp4Quality) that keeps thin coloured lines clean although yuv420p halves the
// colour's resolution (measured on the sample: SSIM 0.9999 over Y, 0.991 over U and V), padded on
// the right and at the bottom to even sides, which yuv420p needs. VP9 at its own constant quality,
// on as many threads as rows allow. The container is written bit-exact (no random ids), so the
// same frames give the same file. The output is named with "file:", so that no colon in the
// folder reads as a protocol, and its format given, as the temporary name has no ending.
std::vector<std::string> Arguments(const VideoSettings& video, const std::string& output) {
    std::vector<std::string> arguments{
        "-hide_banner",
        "-loglevel",
        "error",
        "-f",
        "rawvideo",
        "-pix_fmt",
        "rgba",
        "-s",
        std::to_string(video.width) + "x" + std::to_string(video.height),
        "-framerate",
        "100/" + std::to_string(video.delay),
        "-i",
        "pipe:0"};
    if (video.webm) {
        arguments.insert(arguments.end(),
                         {"-c:v", "libvpx-vp9", "-pix_fmt", video.alpha ? "yuva420p" : "yuv420p",
                          "-crf", std::to_string(video.quality), "-b:v", "0", "-row-mt", "1",
                          "-cpu-used", "4", "-f", "webm"});
    } else {
        const std::string pad = "pad=" + std::to_string(video.width + video.width % 2) + ":" +
                                std::to_string(video.height + video.height % 2) +
                                ":0:0:color=" + ColourArgument(video.background);
        arguments.insert(arguments.end(),
                         {"-vf", pad, "-c:v", "libx264", "-pix_fmt", "yuv420p", "-crf",
                          std::to_string(video.quality), "-preset", "medium", "-tune", "animation",
                          "-movflags", "+faststart", "-f", "mp4"});
    }
    arguments.insert(arguments.end(), {"-fflags", "+bitexact", "-y", "file:" + output});
    return arguments;
}

std::string Formatted(const char* format, int number) {
    char text[128];
    std::snprintf(text, sizeof text, format, number);
    return text;
}

}  // namespace

VideoWriter::VideoWriter(const std::string& path, const VideoSettings& settings, const FileOps& ops)
    : path_(path),
      ops_(ops),
      frame_(static_cast<std::size_t>(settings.width) * static_cast<std::size_t>(settings.height)) {
    const std::optional<std::string> program = FindOnPath(kEncoder);
    if (!program) {
        failure_ = texts::kVideoNeedsFfmpeg;
        return;
    }
    // ffmpeg opens the file by its name, so it needs one; a target that could only be
    // rewritten in place is not written.
    file_ = CreateTemporaryBeside(path, ops_, true);
    if (file_.fd < 0 || file_.inPlace) {
        failure_ = texts::kVideoNoTemporary;
        return;
    }
    encoder_ = std::make_unique<EncoderProcess>(*program, Arguments(settings, file_.name));
    if (!encoder_->Started()) {
        failure_ = texts::kVideoNotStarted;
    }
}

// ffmpeg ends before its file is removed.
VideoWriter::~VideoWriter() {
    encoder_.reset();
    if (file_.fd >= 0) {
        DiscardTemporary(file_);
    }
}

bool VideoWriter::Add(const Bitmap& colours, std::span<const std::uint8_t> alpha,
                      const std::function<bool()>& keepGoing) {
    const std::span<const std::uint32_t> pixels = colours.Pixels();
    for (std::size_t i = 0; i < frame_.size(); ++i) {
        frame_[i] = (pixels[i] & 0xFFFFFFu) | std::uint32_t{alpha.empty() ? 0xFFu : alpha[i]} << 24;
    }
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(frame_.data()),
                                              frame_.size() * sizeof frame_[0]);
    if (encoder_->Write(bytes, keepGoing)) {
        return true;
    }
    NoteEncoderEnd(encoder_->Finish(keepGoing));
    return false;
}

bool VideoWriter::Finish(const std::function<bool()>& keepGoing) {
    const std::optional<int> status = encoder_->Finish(keepGoing);
    if (status != 0) {
        NoteEncoderEnd(status);
        return false;
    }
    return CommitTemporary(file_, true, path_, ops_);
}

// ffmpeg's end, unless keepGoing stopped it: its exit status or signal and what it said.
void VideoWriter::NoteEncoderEnd(const std::optional<int>& status) {
    if (!status) {
        return;
    }
    failure_ = WIFSIGNALED(*status) ? Formatted(texts::kVideoEncoderKilled, WTERMSIG(*status))
                                    : Formatted(texts::kVideoEncoderFailed, WEXITSTATUS(*status));
    std::string messages = encoder_->Messages();
    while (!messages.empty() && std::isspace(static_cast<unsigned char>(messages.back()))) {
        messages.pop_back();
    }
    if (!messages.empty()) {
        failure_ += "\n" + messages;
    }
}

}  // namespace zef
