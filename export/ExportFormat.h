#pragma once

namespace zef {

// The files an export writes: an animated GIF, a BMP sequence, an animated WebP or a video,
// MP4 or WebM. The GIF dialog writes a WebP or a video when its path names one.
enum class ExportFormat { kGif, kBmp, kWebp, kMp4, kWebm };

}  // namespace zef
