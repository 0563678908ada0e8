#include "export/LzwEncoder.h"

#include <algorithm>
#include <utility>

namespace zef {
namespace {

constexpr std::uint32_t kTableSize = 4096;
constexpr int kMaxWidth = 12;
// Codes written between two trials of a fresh table while the table is full: at first, and
// at most after trials the fresh table lost.
constexpr std::uint32_t kTrialEvery = 256;
constexpr std::uint32_t kLongestTrialWait = 4096;

struct BitCounter {
    std::uint64_t bits = 0;
    void Put(std::uint32_t, int width) { bits += static_cast<std::uint64_t>(width); }
};

struct BitPacker {
    std::vector<std::uint8_t>& data;
    std::size_t limit;
    std::uint64_t pending = 0;
    int pendingBits = 0;

    bool Over() const { return data.size() > limit; }
    void Put(std::uint32_t code, int width) {
        pending |= std::uint64_t{code} << pendingBits;
        pendingBits += width;
        while (pendingBits >= 8) {
            data.push_back(static_cast<std::uint8_t>(pending));
            pending >>= 8;
            pendingBits -= 8;
        }
    }
    void Flush() {
        if (pendingBits > 0) {
            data.push_back(static_cast<std::uint8_t>(pending));
        }
    }
};

// The width of the next code and the next code to be added, as giflib keeps them: a code
// widens the codes after it once the next code no longer fits.
struct CodeState {
    int width;
    std::uint32_t next;

    bool Full() const { return next >= kTableSize; }
    template <typename Sink>
    void Put(Sink& sink, std::uint32_t code) {
        sink.Put(code, width);
        if (next >= (1u << width) && width < kMaxWidth) {
            ++width;
        }
    }
};

// When a full table is weighed against a fresh one: one code after it fills, then after waits
// that double while the full table keeps winning, the first wait again after a clear.
class ClearTrials {
  public:
    void TableGrew() { untilTrial_ = 1; }
    bool Due() { return --untilTrial_ == 0; }
    void FullTableWon() {
        untilTrial_ = trialWait_;
        trialWait_ = std::min(2 * trialWait_, kLongestTrialWait);
    }
    void Cleared() { trialWait_ = kTrialEvery; }

  private:
    std::uint32_t untilTrial_ = 0;
    std::uint32_t trialWait_ = kTrialEvery;
};

}  // namespace

LzwEncoder::Table::Table(int bits)
    : bits_(bits),
      codes_(std::size_t{kTableSize} << bits),
      runs_(std::size_t{1} << bits),
      lasts_(kTableSize) {
    added_.reserve(kTableSize);
    for (std::size_t pixel = 0; pixel < runs_.size(); ++pixel) {
        lasts_[pixel] = static_cast<std::uint8_t>(pixel);
    }
    Clear();
}

void LzwEncoder::Table::Clear() {
    for (const std::uint32_t entry : added_) {
        codes_[entry] = 0;
    }
    added_.clear();
    for (std::size_t pixel = 0; pixel < runs_.size(); ++pixel) {
        runs_[pixel].assign(1, static_cast<std::uint16_t>(pixel));
    }
}

void LzwEncoder::Table::CopyFrom(const Table& other, std::size_t shared) {
    const std::uint32_t mask = (1u << bits_) - 1;
    for (; added_.size() > shared; added_.pop_back()) {
        const std::uint32_t entry = added_.back();
        std::vector<std::uint16_t>& runs = runs_[entry & mask];
        if (runs.back() == codes_[entry]) {
            runs.pop_back();
        }
        codes_[entry] = 0;
    }
    for (std::size_t i = shared; i < other.added_.size(); ++i) {
        const std::uint32_t entry = other.added_[i];
        Add(entry >> bits_, static_cast<std::uint8_t>(entry & mask), other.codes_[entry]);
    }
}

void LzwEncoder::Table::Add(std::uint32_t prefix, std::uint8_t pixel, std::uint32_t code) {
    const std::uint32_t entry = prefix << bits_ | pixel;
    if (codes_[entry] == 0) {
        codes_[entry] = static_cast<std::uint16_t>(code);
        lasts_[code] = pixel;
        added_.push_back(entry);
        // Runs grow one pixel at a time, from the longest run of the pixel.
        if (runs_[pixel].back() == prefix) {
            runs_[pixel].push_back(static_cast<std::uint16_t>(code));
        }
    }
}

LzwEncoder::LzwEncoder(int bitsPerPixel)
    : bits_(std::max(bitsPerPixel, 2)), clearCode_(1u << bits_), table_(bits_), trial_(bits_) {
    tail_.reserve(kTableSize);
}

template <typename Parser>
bool LzwEncoder::Run(std::span<const std::uint8_t> pixels, std::vector<std::uint8_t>& data,
                     std::size_t limit, Parser parser) {
    data.clear();
    BitPacker packer{data, limit};
    const CodeState fresh{bits_ + 1, clearCode_ + 2};
    CodeState state = fresh;
    table_.Clear();
    state.Put(packer, clearCode_);
    FindRuns(pixels);
    parser.Begin();
    ClearTrials trials;
    for (std::size_t at = 0; at < pixels.size() && !packer.Over();) {
        const auto [code, length] = parser.Next(at);
        state.Put(packer, code);
        at += length;
        if (at == pixels.size()) {
            break;
        }
        const std::uint8_t first = parser.First(at);
        if (!state.Full()) {
            table_.Add(code, first, state.next++);
            parser.Grew(code, at, first);
            trials.TableGrew();
        } else if (trials.Due()) {
            if (ClearPays(pixels, at)) {
                state.Put(packer, clearCode_);
                state = fresh;
                table_.Clear();
                parser.Cleared(at, first);
                trials.Cleared();
            } else {
                trials.FullTableWon();
            }
        }
    }
    state.Put(packer, clearCode_ + 1);
    packer.Flush();
    return !packer.Over();
}

bool LzwEncoder::Encode(std::span<const std::uint8_t> pixels, std::vector<std::uint8_t>& data,
                        std::size_t limit, LzwParse parse) {
    struct Parser {
        LzwEncoder& encoder;
        std::span<const std::uint8_t> pixels;
        LzwParse parse;
        void Begin() const {}
        std::pair<std::uint32_t, std::size_t> Next(std::size_t at) {
            encoder.Walk(pixels, at);
            const std::size_t length = encoder.LookAhead(
                encoder.table_, pixels, at, encoder.run_ + encoder.tail_.size(), parse);
            return {encoder.CodeOf(length), length};
        }
        std::uint8_t First(std::size_t at) const { return pixels[at]; }
        void Grew(std::uint32_t, std::size_t, std::uint8_t) const {}
        void Cleared(std::size_t, std::uint8_t) const {}
    };
    return Run(pixels, data, limit, Parser{*this, pixels, parse});
}

bool LzwEncoder::EncodeSearched(std::span<const std::uint8_t> pixels,
                                std::vector<std::uint8_t>& data, std::size_t limit,
                                LzwParse guard) {
    // The strings from the start and from each clear are the search's, those after the
    // table fills the guard's.
    struct Parser {
        LzwEncoder& encoder;
        std::span<const std::uint8_t> pixels;
        LzwParse guard;
        std::size_t planned = 0;
        void Begin() { encoder.Search(pixels, 0, guard, encoder.plan_); }
        std::pair<std::uint32_t, std::size_t> Next(std::size_t at) {
            encoder.Walk(pixels, at);
            const std::size_t length =
                planned < encoder.plan_.size()
                    ? encoder.plan_[planned++]
                    : encoder.LookAhead(encoder.table_, pixels, at,
                                        encoder.run_ + encoder.tail_.size(), guard);
            return {encoder.CodeOf(length), length};
        }
        std::uint8_t First(std::size_t at) const { return pixels[at]; }
        void Grew(std::uint32_t, std::size_t, std::uint8_t) const {}
        void Cleared(std::size_t at, std::uint8_t) {
            encoder.Search(pixels, at, guard, encoder.plan_);
            planned = 0;
        }
    };
    return Run(pixels, data, limit, Parser{*this, pixels, guard});
}

bool LzwEncoder::EncodeEither(std::span<const std::uint8_t> pixels,
                              std::span<const std::uint8_t> others, std::vector<std::uint8_t>& data,
                              std::size_t limit, LzwParse parse) {
    return RunEither(pixels, others, data, limit, parse, nullptr);
}

void LzwEncoder::ChooseEither(std::span<const std::uint8_t> pixels,
                              std::span<const std::uint8_t> others,
                              std::vector<std::uint8_t>& values) {
    values.resize(pixels.size());
    std::vector<std::uint8_t> data;
    RunEither(pixels, others, data, SIZE_MAX, kGreedyParse, &values);
}

bool LzwEncoder::RunEither(std::span<const std::uint8_t> pixels,
                           std::span<const std::uint8_t> others, std::vector<std::uint8_t>& data,
                           std::size_t limit, LzwParse parse, std::vector<std::uint8_t>* values) {
    // path_ holds the longest match at the pixel to code next.
    struct Parser {
        LzwEncoder& encoder;
        std::span<const std::uint8_t> pixels;
        std::span<const std::uint8_t> others;
        LzwParse parse;
        std::vector<std::uint8_t>* values;
        void Begin() { First(0); }
        std::pair<std::uint32_t, std::size_t> Next(std::size_t at) {
            const std::size_t length = encoder.LookAheadEither(pixels, others, at, parse);
            if (values != nullptr) {
                for (std::size_t i = 0; i < length; ++i) {
                    (*values)[at + i] = encoder.table_.Last(encoder.path_[i]);
                }
            }
            return {encoder.path_[length - 1], length};
        }
        std::uint8_t First(std::size_t at) {
            encoder.FirstEither(pixels, others, at, encoder.path_, encoder.scratch_);
            return static_cast<std::uint8_t>(encoder.path_.front());
        }
        // The new string can only lengthen a match that passes through `code`.
        void Grew(std::uint32_t code, std::size_t at, std::uint8_t first) {
            std::vector<std::uint16_t>& path = encoder.path_;
            if (std::find(path.begin(), path.end(), code) != path.end()) {
                encoder.LongestEither(pixels, others, at, first, path);
            }
        }
        void Cleared(std::size_t at, std::uint8_t first) {
            encoder.LongestEither(pixels, others, at, first, encoder.path_);
        }
    };
    return Run(pixels, data, limit, Parser{*this, pixels, others, parse, values});
}

std::size_t LzwEncoder::LongestEither(std::span<const std::uint8_t> pixels,
                                      std::span<const std::uint8_t> others, std::size_t at,
                                      std::uint8_t first, std::vector<std::uint16_t>& path) const {
    path.assign(1, first);
    for (std::size_t i = at + 1; i < pixels.size(); ++i) {
        std::uint32_t longer = table_.Find(path.back(), pixels[i]);
        if (longer == 0 && others[i] != pixels[i]) {
            longer = table_.Find(path.back(), others[i]);
        }
        if (longer == 0) {
            break;
        }
        path.push_back(static_cast<std::uint16_t>(longer));
    }
    return path.size();
}

std::size_t LzwEncoder::FirstEither(std::span<const std::uint8_t> pixels,
                                    std::span<const std::uint8_t> others, std::size_t at,
                                    std::vector<std::uint16_t>& path,
                                    std::vector<std::uint16_t>& spare) const {
    if (at >= pixels.size()) {
        return 0;
    }
    const std::size_t reach = LongestEither(pixels, others, at, pixels[at], path);
    if (others[at] != pixels[at] && LongestEither(pixels, others, at, others[at], spare) > reach) {
        path.swap(spare);
    }
    return path.size();
}

std::size_t LzwEncoder::LookAheadEither(std::span<const std::uint8_t> pixels,
                                        std::span<const std::uint8_t> others, std::size_t at,
                                        LzwParse parse) {
    const std::size_t longest = path_.size();
    if (parse.shorterBy == 0) {
        return longest;
    }
    std::size_t best = longest;
    std::size_t reach =
        longest + FirstEither(pixels, others, at + longest, ahead_, aheadSpare_) + parse.gainNeeded;
    for (std::size_t shorter = 1; shorter <= parse.shorterBy && shorter < longest; ++shorter) {
        const std::size_t length = longest - shorter;
        const std::size_t covered =
            length + FirstEither(pixels, others, at + length, ahead_, aheadSpare_);
        if (covered > reach) {
            best = length;
            reach = covered;
        }
    }
    return best;
}

void LzwEncoder::FindRuns(std::span<const std::uint8_t> pixels) {
    runAhead_.resize(pixels.size());
    std::uint16_t run = 0;
    for (std::size_t i = pixels.size(); i-- > 0;) {
        run = i + 1 < pixels.size() && pixels[i] == pixels[i + 1]
                  ? static_cast<std::uint16_t>(std::min(run + 1, static_cast<int>(kTableSize)))
                  : 1;
        runAhead_[i] = run;
    }
}

std::size_t LzwEncoder::RunPart(const Table& table, std::span<const std::uint8_t> pixels,
                                std::size_t at, std::uint32_t& code) const {
    const std::span<const std::uint16_t> runs = table.Runs(pixels[at]);
    const std::size_t run = std::min<std::size_t>(runAhead_[at], runs.size());
    code = runs[run - 1];
    return run;
}

std::size_t LzwEncoder::Longest(const Table& table, std::span<const std::uint8_t> pixels,
                                std::size_t at, std::uint32_t& code) const {
    const std::size_t run = RunPart(table, pixels, at, code);
    if (run < runAhead_[at]) {
        return run;
    }
    std::size_t i = at + run;
    for (; i < pixels.size(); ++i) {
        const std::uint32_t longer = table.Find(code, pixels[i]);
        if (longer == 0) {
            break;
        }
        code = longer;
    }
    return i - at;
}

void LzwEncoder::Walk(std::span<const std::uint8_t> pixels, std::size_t at) {
    std::uint32_t code = 0;
    run_ = RunPart(table_, pixels, at, code);
    runPixel_ = pixels[at];
    tail_.clear();
    if (run_ < runAhead_[at]) {
        return;  // the run goes on beyond the longest run the table holds
    }
    for (std::size_t i = at + run_; i < pixels.size(); ++i) {
        code = table_.Find(code, pixels[i]);
        if (code == 0) {
            break;
        }
        tail_.push_back(static_cast<std::uint16_t>(code));
    }
}

std::uint32_t LzwEncoder::CodeOf(std::size_t length) const {
    return length <= run_ ? table_.Runs(runPixel_)[length - 1] : tail_[length - run_ - 1];
}

std::size_t LzwEncoder::MatchLength(const Table& table, std::span<const std::uint8_t> pixels,
                                    std::size_t at) const {
    std::uint32_t code = 0;
    return at < pixels.size() ? Longest(table, pixels, at, code) : 0;
}

std::size_t LzwEncoder::LookAhead(const Table& table, std::span<const std::uint8_t> pixels,
                                  std::size_t at, std::size_t longest, LzwParse parse) const {
    std::size_t best = longest;
    std::size_t reach = longest + MatchLength(table, pixels, at + longest) + parse.gainNeeded;
    for (std::size_t shorter = 1; shorter <= parse.shorterBy && shorter < longest; ++shorter) {
        const std::size_t length = longest - shorter;
        const std::size_t covered = length + MatchLength(table, pixels, at + length);
        if (covered > reach) {
            best = length;
            reach = covered;
        }
    }
    return best;
}

bool LzwEncoder::ClearPays(std::span<const std::uint8_t> pixels, std::size_t at) {
    BitCounter fresh{kMaxWidth};  // the clear code
    CodeState state{bits_ + 1, clearCode_ + 2};
    trial_.Clear();
    std::size_t end = at;
    while (end < pixels.size() && !state.Full()) {
        std::uint32_t code = 0;
        end += Longest(trial_, pixels, end, code);
        state.Put(fresh, code);
        if (end < pixels.size()) {
            trial_.Add(code, pixels[end], state.next++);
        }
    }
    std::uint64_t kept = 0;
    for (std::size_t i = at; i < end; kept += kMaxWidth) {
        std::uint32_t code = 0;
        i += Longest(table_, pixels, i, code);
    }
    return fresh.bits < kept;
}

}  // namespace zef
