#pragma once

namespace zef {

// The files an export writes: an animated GIF, a BMP sequence, an animated WebP or an animated
// PNG. The GIF dialog writes a WebP or an APNG when its path names one.
enum class ExportFormat { kGif, kBmp, kWebp, kApng };

}  // namespace zef
