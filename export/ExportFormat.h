#pragma once

namespace zef {

// The files an export writes: an animated GIF, a BMP sequence, an animated WebP, an animated
// PNG or a video, MP4 or WebM. The GIF dialog writes the others when its path names one.
enum class ExportFormat { kGif, kBmp, kWebp, kApng, kMp4, kWebm };

}  // namespace zef
