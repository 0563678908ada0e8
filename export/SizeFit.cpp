#include "export/SizeFit.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string>

namespace zef {
namespace {

// A search stops once the fitting file holds this share of the limit, or its level lies this
// close to a failing one (some 1% of the side).
constexpr double kFullEnough = 0.97;
constexpr double kCloseLevels = 0.03;
// The file a guess aims at, a little under the limit, so the guess fits more often than not.
constexpr double kAimedShare = 0.985;
// How far inside the bracket of the fitting and failing trials a guess is kept.
constexpr double kInside = 0.1;

double SmallestScale(const FitRange& range) {
    const std::int32_t shorter = std::min(range.width, range.height);
    return shorter > kSmallestFitSide ? static_cast<double>(kSmallestFitSide) / shorter : 1.0;
}

double Log2Bytes(const FitTrial& trial) {
    return std::log2(static_cast<double>(std::max<std::uint64_t>(trial.bytes, 1)));
}

// How the file's log size falls with the level, measured between two trials; the area's
// fall (one halving a level) when they tell nothing sensible.
double Slope(const FitTrial* a, const FitTrial* b) {
    if (a == nullptr || b == nullptr || a->level == b->level) {
        return -1.0;
    }
    const double slope = (Log2Bytes(*b) - Log2Bytes(*a)) / (b->level - a->level);
    return std::isfinite(slope) && slope < -0.1 ? std::clamp(slope, -3.0, -0.2) : -1.0;
}

bool Tried(std::span<const FitTrial> trials, const FitSettings& settings) {
    return std::any_of(trials.begin(), trials.end(),
                       [&](const FitTrial& t) { return t.settings == settings; });
}

FitStep Chosen(std::size_t index) {
    return {FitStep::Kind::kChosen, 0, index};
}

FitStep Try(double level) {
    return {FitStep::Kind::kTry, level, 0};
}

}  // namespace

std::optional<std::uint64_t> ParseByteLimit(std::string_view text) {
    std::size_t end = 0;
    while (end < text.size() &&
           (std::isdigit(static_cast<unsigned char>(text[end])) != 0 || text[end] == '.')) {
        ++end;
    }
    double number = 0;
    const auto [rest, error] = std::from_chars(text.data(), text.data() + end, number);
    if (end == 0 || error != std::errc() || rest != text.data() + end) {
        return std::nullopt;
    }
    std::string unit;
    for (const char c : text.substr(end)) {
        if (c != ' ') {
            unit += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    const double scale = unit.empty() || unit == "b"   ? 1.0
                         : unit == "kb" || unit == "k" ? 1e3
                         : unit == "mb" || unit == "m" ? 1e6
                         : unit == "gb" || unit == "g" ? 1e9
                                                       : 0.0;
    const double bytes = std::floor(number * scale);
    if (scale == 0 || bytes < 1 || bytes > 1e18) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(bytes);
}

FitSettings FitSettingsAt(const FitRange& range, double level) {
    FitSettings settings{range.width, range.height, std::nullopt};
    double rest = level;
    if (range.quality) {
        const QualitySpan& span = *range.quality;
        const double part = span.halvings > 0 ? std::clamp(level / span.halvings, 0.0, 1.0) : 0.0;
        settings.quality =
            static_cast<std::int32_t>(std::lround(span.best + (span.worst - span.best) * part));
        rest = std::max(0.0, level - span.halvings);
    }
    const double scale = std::max(std::exp2(-rest / 2), SmallestScale(range));
    settings.width =
        std::max<std::int32_t>(1, static_cast<std::int32_t>(std::lround(range.width * scale)));
    settings.height =
        std::max<std::int32_t>(1, static_cast<std::int32_t>(std::lround(range.height * scale)));
    return settings;
}

double LowestFitLevel(const FitRange& range) {
    return (range.quality ? range.quality->halvings : 0.0) - 2 * std::log2(SmallestScale(range));
}

FitStep NextFitStep(const FitRange& range, std::uint64_t limit, std::span<const FitTrial> trials) {
    if (trials.empty()) {
        return Try(0);
    }
    const FitTrial* best = nullptr;
    for (const FitTrial& trial : trials) {
        if (trial.bytes <= limit && (best == nullptr || trial.level < best->level)) {
            best = &trial;
        }
    }
    const FitTrial* failing = nullptr;
    for (const FitTrial& trial : trials) {
        if (trial.bytes > limit && (best == nullptr || trial.level < best->level) &&
            (failing == nullptr || trial.level > failing->level)) {
            failing = &trial;
        }
    }
    const double lowest = LowestFitLevel(range);
    const double low = failing != nullptr ? failing->level : 0.0;
    const double high = best != nullptr ? best->level : lowest;
    if (best != nullptr) {
        const std::size_t index = static_cast<std::size_t>(best - trials.data());
        if (best->level <= 0 || trials.size() >= kMostFitTrials ||
            static_cast<double>(best->bytes) >= kFullEnough * static_cast<double>(limit) ||
            high - low <= kCloseLevels) {
            return Chosen(index);
        }
    } else if (low >= lowest) {
        return {FitStep::Kind::kNothingFits, 0, 0};
    } else if (trials.size() + 1 >= kMostFitTrials) {
        return Try(lowest);
    }
    const FitTrial* other = best != nullptr && failing != nullptr ? best
                            : trials.size() >= 2                  ? &trials[trials.size() - 2]
                                                                  : nullptr;
    const FitTrial& reference = failing != nullptr ? *failing : *best;
    const double aimed = std::log2(kAimedShare * static_cast<double>(limit));
    const double guess =
        reference.level + (aimed - Log2Bytes(reference)) / Slope(other, &reference);
    const double margin = kInside * (high - low);
    const double level = std::clamp(guess, low + margin, best != nullptr ? high - margin : high);
    if (Tried(trials, FitSettingsAt(range, level))) {
        if (best != nullptr) {
            return Chosen(static_cast<std::size_t>(best - trials.data()));
        }
        return Tried(trials, FitSettingsAt(range, lowest)) ? FitStep{FitStep::Kind::kNothingFits}
                                                           : Try(lowest);
    }
    return Try(level);
}

FitEnd FitUnderLimit(const FitRange& range, std::uint64_t limit,
                     const std::function<TrialEncode(const FitSettings&)>& encode) {
    FitEnd end;
    std::optional<double> keptLevel;
    for (;;) {
        const FitStep step = NextFitStep(range, limit, end.trials);
        if (step.kind == FitStep::Kind::kChosen) {
            end.settings = end.trials[step.chosen].settings;
            return end;
        }
        if (step.kind == FitStep::Kind::kNothingFits) {
            end.result = {ExportOutcome::kNothingFits, {}};
            end.file.Drop();
            return end;
        }
        const FitSettings settings = FitSettingsAt(range, step.level);
        TrialEncode trial = encode(settings);
        if (!trial.result.Succeeded()) {
            end.result = std::move(trial.result);
            end.file.Drop();
            return end;
        }
        end.trials.push_back({step.level, settings, trial.bytes});
        if (trial.bytes <= limit && (!keptLevel || step.level < *keptLevel)) {
            keptLevel = step.level;
            end.file = std::move(trial.file);
        }
    }
}

}  // namespace zef
