#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "export/ExportResult.h"
#include "model/HeldFile.h"

namespace zef {

// A byte limit as it is typed: "123456" bytes, "500KB", "750kb", "1MB", "2.5MB" (any case,
// spaces allowed before the unit). 1 KB is 1,000 bytes and 1 MB 1,000,000, so a file under the
// limit fits whichever meaning a site gives the unit. Nothing for another text or 0.
std::optional<std::uint64_t> ParseByteLimit(std::string_view text);

// The quality a lossy format may give up before its size does: from `best` (the request's) to
// `worst`, a span the file is expected to halve `halvings` times over.
struct QualitySpan {
    std::int32_t best = 0;
    std::int32_t worst = 0;
    double halvings = 0;
};

// What a size limit may change: the output size, of the request's aspect and at most the
// request's, and with `quality` the quality too, given up first.
struct FitRange {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::optional<QualitySpan> quality;
};

// One encode's settings: the output size and, for a lossy format, the quality.
struct FitSettings {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::optional<std::int32_t> quality;
    friend bool operator==(const FitSettings&, const FitSettings&) = default;
};

// An encode made in the search: its level (0 the request itself, each 1 about half the file;
// FitSettingsAt), its settings and its file's bytes.
struct FitTrial {
    double level = 0;
    FitSettings settings;
    std::uint64_t bytes = 0;
};

// The most encodes one search makes.
inline constexpr std::size_t kMostFitTrials = 6;
// The shorter side no search goes below (a request's own shorter side when it is shorter).
inline constexpr std::int32_t kSmallestFitSide = 16;

// The settings of a level: the quality given up first, along its span, then the area halved
// with each further level, the aspect kept, down to the smallest sensible size.
FitSettings FitSettingsAt(const FitRange& range, double level);
// The level of the smallest sensible size at the worst quality.
double LowestFitLevel(const FitRange& range);

// What the search does next: try a level, stop with a trial (the largest fitting one), or
// stop because nothing fits even at the lowest level.
struct FitStep {
    enum class Kind { kTry, kChosen, kNothingFits };
    Kind kind = Kind::kTry;
    double level = 0;        // kTry
    std::size_t chosen = 0;  // kChosen: the index of the trial
};

// The next step after the trials made so far. The first trial is the request itself; then
// the file's size is taken to follow a power of the level's scale, the first guess being that
// it follows the area, the later ones measured from the trials; the next level is the one whose
// file should just fit, kept strictly between the largest fitting and the smallest failing
// trials. The search stops at the largest fitting trial once its file uses most of the limit,
// its neighbours are close, the next settings were tried already, or kMostFitTrials were made;
// the last trial left goes to the lowest level when nothing fitted before.
FitStep NextFitStep(const FitRange& range, std::uint64_t limit, std::span<const FitTrial> trials);

// One encode of a search: how it ended, its file's size and the file, held back.
struct TrialEncode {
    ExportResult result;
    std::uint64_t bytes = 0;
    HeldFile file;
};

// How a search ended: the chosen trial's settings, its file held and the trials made; a result
// that did not succeed (an encode's failure or cancel, or kNothingFits) holds no file.
struct FitEnd {
    ExportResult result;
    FitSettings settings;
    HeldFile file;
    std::vector<FitTrial> trials;
};

// Runs the search, encoding each trial with `encode`; the held file of the largest fitting
// trial is kept, the others dropped as soon as a larger one fits.
FitEnd FitUnderLimit(const FitRange& range, std::uint64_t limit,
                     const std::function<TrialEncode(const FitSettings&)>& encode);

}  // namespace zef
