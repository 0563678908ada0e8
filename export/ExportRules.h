#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "export/ExportOptions.h"

namespace zef {

// The display time of one frame in 1/100 s: 6 for shaking, VtrFrameDelay(smoothness) for VTR.
std::int32_t FrameDelay(ExportKind kind, std::int32_t smoothness);

// The path length a VTR frame adds: vtrSpeed * frameDelay / 6, never below 1 (a speed below
// 1 can come from a file) and never beyond what the replay length can add.
std::int32_t ReplayStep(std::int32_t vtrSpeed, std::int32_t frameDelay);

// Frames of an animation: 5 shaking, 1 still, and for VTR the growth frames
// trunc(totalLength) / step (unsigned) and the hold frames endWait * 100 / frameDelay (signed).
// A negative end wait holds nothing beyond the growth, so the count never falls below 0.
std::int64_t FrameCount(ExportKind kind, double totalLength, std::int32_t vtrSpeed,
                        std::int32_t endWait, std::int32_t frameDelay);

// An edit read as an unsigned number (ReadUnsignedNumber) that is not negative as a signed
// 32-bit value, as the dialogs read the VTR end wait.
std::optional<std::int32_t> ParseNonNegative(std::string_view text);

// An output width or height as Save reads it: a number above 0 as a signed value.
std::optional<std::int32_t> ParseSide(std::string_view text);

// The other side that keeps the model's proportions while the user types one:
// typed * otherModelSide / typedModelSide, the fraction dropped; nothing when the typed text
// does not read as an unsigned number or the model side is not above 0. Worked out in 64 bits, so a
// long number gives a large side (which Save then refuses) instead of a wrapped one.
std::optional<std::int64_t> ProportionalSide(std::string_view typed, std::int32_t typedModelSide,
                                             std::int32_t otherModelSide);

// The frame count a dialog shows for the fields as they stand: "***" when the VTR end wait
// is not a number or reads as negative.
std::string FramePreviewText(ExportKind kind, std::string_view endWaitText, std::int32_t smoothness,
                             double totalLength, std::int32_t vtrSpeed);

// The BMP dialog's count and size estimate (megabytes at one byte per pixel, "%10.3f"); both
// "***" when the count or either side does not read as an unsigned number.
struct BmpPreview {
    std::string count;
    std::string megabytes;
    friend bool operator==(const BmpPreview&, const BmpPreview&) = default;
};
BmpPreview BmpPreviewTexts(ExportKind kind, std::string_view endWaitText, std::int32_t smoothness,
                           double totalLength, std::int32_t vtrSpeed, std::string_view widthText,
                           std::string_view heightText);

// The bytes a BMP sequence takes on disk: each frame's headers and rows (padded to 4 bytes,
// as BmpFile writes them) and its palette, one entry for each colour the frame shows, 1 to 256
// (all the same colours without anti-aliasing but where a frame lacks one). Nothing when the
// count or either side does not read as a number (the "***" of BmpPreviewTexts).
struct BmpSequenceBytes {
    std::uint64_t least = 0;  // every frame of one colour
    std::uint64_t most = 0;   // every frame of 256
    friend bool operator==(const BmpSequenceBytes&, const BmpSequenceBytes&) = default;
};
std::optional<BmpSequenceBytes> BmpSequenceSize(ExportKind kind, std::string_view endWaitText,
                                                std::int32_t smoothness, double totalLength,
                                                std::int32_t vtrSpeed, std::string_view widthText,
                                                std::string_view heightText);

// The path a dialog proposes for a model saved at `modelPath`: its last four characters
// replaced by `extension`; nothing for an untitled model.
std::string ProposedExportPath(const std::string& modelPath, std::string_view extension);

// Frame `frame` of a sequence: base + at least four digits + ".bmp"; base + ".bmp" for the
// still image.
std::string BmpFileName(const std::string& base, ExportKind kind, std::int64_t frame);

// Whether a frame of width x height can be made at all: each side 1..65535 (all a GIF can
// hold) and 4 bytes a pixel within 1 GiB.
bool FrameSizeCanBeHad(std::int64_t width, std::int64_t height);

}  // namespace zef
