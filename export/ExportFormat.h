#pragma once

namespace zef {

// The files an export writes: an animated GIF, a BMP sequence or an animated WebP. The GIF
// dialog writes a WebP when its path names one.
enum class ExportFormat { kGif, kBmp, kWebp };

}  // namespace zef
