#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "export/ExportFormat.h"
#include "export/ExportOptions.h"

namespace zef {

// The arguments of `zefcli gif`, `zefcli webp`, `zefcli apng`, `zefcli mp4`, `zefcli webm` and
// `zefcli bmp`, with the export dialogs' defaults.
struct ExportArguments {
    ExportFormat format = ExportFormat::kGif;  // of the command word
    std::string model;
    std::string out;  // as given; the path rules are applied when exporting
    ExportKind kind = ExportKind::kShaking;
    std::int32_t endWait = 5;
    std::int32_t smoothness = kMaxSmoothness;
    std::optional<std::int32_t> width;  // the model's size when not given
    std::optional<std::int32_t> height;
    bool antiAliasing = false;
    bool transparent = false;
    std::optional<std::uint32_t> seed;         // from the clock when not given
    std::optional<std::int32_t> lossyQuality;  // WebP only: 0..100; lossless when not given
    std::optional<std::uint64_t> maxSize;      // in bytes; not for a BMP sequence
    bool smallest = false;                     // GIF only: a slower search for a smaller file
};

// Reads the arguments after the command word ("gif", "webp", "apng", "mp4", "webm" or "bmp");
// nothing for another word, or for arguments that do not fit it (an MP4 has no transparency).
std::optional<ExportArguments> ParseExportArguments(std::string_view command,
                                                    std::span<const std::string_view> arguments);

}  // namespace zef
