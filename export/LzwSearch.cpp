#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

#include "export/LzwEncoder.h"

namespace zef {
namespace {

constexpr std::uint32_t kTableSize = 4096;
// The lines kept beside the guard's, and how much shorter than the longest match a string of
// any line may be: a third line made the files no smaller for a quarter more time.
constexpr std::size_t kLines = 2;
constexpr std::size_t kShorterBy = 16;
// What a string ended early costs in pixels of reach, counted to the longest match's credit:
// the entry it adds is one the table holds already.
constexpr std::size_t kEarlyCost = 5;
// How many of a line's longest matches a step keeps.
constexpr std::size_t kKnown = 64;

// A string a line may code next: the line's index and the string's length, and how far
// the line reaches with it and two greedy strings after it.
struct Step {
    std::size_t line;
    std::size_t length;
    std::size_t reach;
};

}  // namespace

void LzwEncoder::Search(std::span<const std::uint8_t> pixels, std::size_t from, LzwParse guard,
                        std::vector<std::uint32_t>& lengths) {
    lengths.clear();
    if (from >= pixels.size()) {
        return;
    }
    while (lines_.size() < kLines + 1) {
        lines_.emplace_back(bits_);
    }
    trail_.assign(1, {0, 0});  // the start, before the first string
    for (Line& line : lines_) {
        line.table.Clear();
        line.at = from;
        line.last = 0;
        line.shared.assign(lines_.size(), 0);
    }
    // The lengths of the strings of `line`, first to last.
    const auto parse = [&](const Line& line) {
        for (std::uint32_t turn = line.last; turn != 0; turn = trail_[turn].before) {
            lengths.push_back(trail_[turn].length);
        }
        std::reverse(lengths.begin(), lengths.end());
    };
    // order[0] is the guard's line, which parses as `guard` does, so the search never does
    // worse than that; order[1], ... the others alive.
    std::vector<std::size_t> order{0};
    std::vector<Step> steps;
    std::vector<Step> chosen;
    std::vector<std::size_t> children(lines_.size());
    std::vector<bool> taken(lines_.size());
    std::array<std::pair<std::size_t, std::size_t>, kKnown> known;
    for (std::uint32_t next = clearCode_ + 2; next < kTableSize; ++next) {
        steps.clear();
        for (const std::size_t index : order) {
            const Line& line = lines_[index];
            std::uint32_t code = 0;
            const std::size_t longest = Longest(line.table, pixels, line.at, code);
            if (line.at + longest == pixels.size()) {
                parse(line);
                lengths.push_back(static_cast<std::uint32_t>(longest));
                return;
            }
            // The longest matches in the line's table by where they start, as far as known:
            // the strings after its candidates often start at the same pixel.
            known.fill({SIZE_MAX, 0});
            const auto match = [&](std::size_t at) {
                auto& [start, length] = known[at % known.size()];
                if (start != at) {
                    std::uint32_t ignored = 0;
                    start = at;
                    length = at < pixels.size() ? Longest(line.table, pixels, at, ignored) : 0;
                }
                return length;
            };
            const auto step = [&](std::size_t length) {
                const std::size_t end = line.at + length;
                const std::size_t first = match(end);
                const std::size_t bonus = length == longest ? kEarlyCost : 0;
                steps.push_back({index, length, end + first + match(end + first) + bonus});
            };
            const std::size_t guarded = index == order.front()
                                            ? LookAhead(line.table, pixels, line.at, longest, guard)
                                            : longest;
            step(guarded);
            const std::size_t shortest = longest > kShorterBy ? longest - kShorterBy : 1;
            for (std::size_t length = longest; length >= shortest; --length) {
                if (length != guarded) {
                    step(length);
                }
            }
        }
        // The guard's string, then those that reach furthest, the longer string first on a
        // tie.
        chosen.assign(1, steps.front());
        const auto furthest = [](const Step& a, const Step& b) {
            return a.reach != b.reach ? a.reach > b.reach : a.length > b.length;
        };
        for (auto step = steps.begin() + 1; step != steps.end(); ++step) {
            if (chosen.size() <= kLines) {
                chosen.push_back(*step);
            } else if (furthest(*step, chosen.back())) {
                chosen.back() = *step;
            } else {
                continue;
            }
            std::rotate(
                std::upper_bound(chosen.begin() + 1, chosen.end() - 1, chosen.back(), furthest),
                chosen.end() - 1, chosen.end());
        }
        // Each chosen string goes on in its line's place where it is the first from that
        // line, else in the place of a line none goes on from, copied before any line moves.
        std::fill(children.begin(), children.end(), 0);
        std::fill(taken.begin(), taken.end(), false);
        for (const Step& step : chosen) {
            ++children[step.line];
        }
        order.clear();
        std::size_t spare = 0;
        for (const Step& step : chosen) {
            std::size_t home = step.line;
            if (taken[home]) {
                while (children[spare] != 0 || taken[spare]) {
                    ++spare;
                }
                home = spare;
                Line& copy = lines_[home];
                const Line& parent = lines_[step.line];
                copy.table.CopyFrom(parent.table, copy.shared[step.line]);
                copy.at = parent.at;
                copy.last = parent.last;
                for (std::size_t other = 0; other < lines_.size(); ++other) {
                    copy.shared[other] = lines_[other].shared[home] =
                        other == step.line ? parent.table.Size() : parent.shared[other];
                }
            }
            taken[home] = true;
            order.push_back(home);
        }
        for (std::size_t c = 0; c < chosen.size(); ++c) {
            Line& line = lines_[order[c]];
            const std::size_t length = chosen[c].length;
            const std::uint32_t code = CodeIn(line.table, pixels, line.at, length);
            line.at += length;
            trail_.push_back({line.last, static_cast<std::uint32_t>(length)});
            line.last = static_cast<std::uint32_t>(trail_.size() - 1);
            line.table.Add(code, pixels[line.at], next);
        }
    }
    // The table is full: the line that reached furthest.
    const std::size_t furthest = *std::max_element(
        order.begin(), order.end(),
        [&](std::size_t a, std::size_t b) { return lines_[a].at < lines_[b].at; });
    parse(lines_[furthest]);
}

std::uint32_t LzwEncoder::CodeIn(const Table& table, std::span<const std::uint8_t> pixels,
                                 std::size_t at, std::size_t length) const {
    const std::span<const std::uint16_t> runs = table.Runs(pixels[at]);
    const std::size_t run = std::min({std::size_t{runAhead_[at]}, runs.size(), length});
    std::uint32_t code = runs[run - 1];
    for (std::size_t i = at + run; i < at + length; ++i) {
        code = table.Find(code, pixels[i]);
    }
    return code;
}

}  // namespace zef
