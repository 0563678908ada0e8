#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "canvas/Bitmap.h"
#include "export/EncoderProcess.h"
#include "model/AtomicFile.h"

namespace zef {

// The constant quality each video is encoded at unless asked otherwise (ffmpeg's CRF: lower
// is better, and some 6 more halve the file).
inline constexpr std::int32_t kMp4Quality = 18;
inline constexpr std::int32_t kWebmQuality = 30;

// What a video holds: an MP4 (H.264, yuv420p, its sides made even with the background colour)
// or a WebM (VP9, with `alpha` in yuva420p).
struct VideoSettings {
    bool webm = false;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t delay = 6;  // of every frame, in hundredths of a second
    std::uint32_t background = 0;
    bool alpha = false;
    std::int32_t quality = kMp4Quality;  // the CRF
};

// Writes a video through the ffmpeg program, one frame at a time: the frames go raw (RGBA) down
// a pipe, so memory holds one frame whatever their count. ffmpeg writes a temporary file of
// this program beside the target (removed by a later export should both be killed), which
// Finish puts in place; until then, and after any failure or cancel, the target keeps what it
// held. Every frame shows for the same delay, at a fixed frame rate of 100 / delay.
class VideoWriter {
  public:
    VideoWriter(const std::string& path, const VideoSettings& settings,
                const FileOps& ops = SystemFileOps());
    VideoWriter(const VideoWriter&) = delete;
    VideoWriter& operator=(const VideoWriter&) = delete;
    ~VideoWriter();

    // False when ffmpeg is missing or could not be started, or the temporary file could not
    // be made; Failure() tells which.
    bool Ok() const { return failure_.empty(); }
    // Adds a frame of colour values with each pixel's opacity (empty: opaque). False when
    // ffmpeg no longer takes frames (see Failure()) or keepGoing said no, which ends ffmpeg.
    bool Add(const Bitmap& colours, std::span<const std::uint8_t> alpha,
             const std::function<bool()>& keepGoing);
    // Waits for ffmpeg to end, then flushes its file and puts it in place. False when
    // keepGoing said no first, ffmpeg failed or the file could not be put in place.
    bool Finish(const std::function<bool()>& keepGoing);
    // Why the writer failed, ffmpeg's own messages included; empty when it has not, or was
    // stopped by keepGoing.
    const std::string& Failure() const { return failure_; }

  private:
    void NoteEncoderEnd(const std::optional<int>& status);

    std::string path_;
    FileOps ops_;
    TemporaryFile file_;
    std::unique_ptr<EncoderProcess> encoder_;
    std::vector<std::uint32_t> frame_;  // RGBA bytes, one pixel a word
    std::string failure_;
};

}  // namespace zef
