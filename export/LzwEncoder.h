#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace zef {

// How the GIF's LZW encoder parses strings: a string up to `shorterBy` pixels shorter than the
// longest match is coded when it and the string after it cover more than `gainNeeded` pixels
// beyond what the longest match and the string after it cover. A shorter string adds an
// entry the table already holds, a code spent for nothing, which the gain has to make up for;
// which gain pays differs from picture to picture.
struct LzwParse {
    std::size_t shorterBy = 2;
    std::size_t gainNeeded = 3;
};
// The longest match only.
inline constexpr LzwParse kGreedyParse{0, 0};

// The GIF's LZW encoder. It codes the longest string the table holds, except that it ends a
// string a few pixels early where the string after it then reaches further (`LzwParse`). A full
// code table is kept rather than cleared at once: it goes on coding without new entries, and the
// encoder clears it only where a fresh table, tried on the pixels ahead until it would be
// full itself, codes them in fewer bits. Code widths follow giflib's, so giflib and every
// other reader decode the stream.
class LzwEncoder {
  public:
    // bitsPerPixel as in the colour table, at least 1; codes take at least 2 bits a pixel.
    explicit LzwEncoder(int bitsPerPixel);

    // The image data after the minimum code size into `data`: the codes packed from the
    // lowest bit, without the block lengths. False, with `data` cut short, as soon as the
    // data grows past `limit` bytes.
    bool Encode(std::span<const std::uint8_t> pixels, std::vector<std::uint8_t>& data,
                std::size_t limit = SIZE_MAX, LzwParse parse = {});
    // As Encode, where each pixel may be coded as its value in `pixels` or in `others`: a
    // string goes on with the value in `pixels` where the table holds that string, else with
    // the other, and starts with the one whose string reaches further. The longest match
    // alone by default: a look-ahead made most frames larger here.
    bool EncodeEither(std::span<const std::uint8_t> pixels, std::span<const std::uint8_t> others,
                      std::vector<std::uint8_t>& data, std::size_t limit = SIZE_MAX,
                      LzwParse parse = kGreedyParse);
    // As Encode, with the strings up to where the table fills chosen by a search over parses:
    // beside the greedy line it keeps the few lines that reach furthest, each with a table of
    // its own, and codes the line that ends first. Some tens of times slower than Encode, and
    // about a hundredth smaller on pictures the look-ahead does not help.
    bool EncodeSearched(std::span<const std::uint8_t> pixels, std::vector<std::uint8_t>& data,
                        std::size_t limit = SIZE_MAX, LzwParse guard = {});
    // The value EncodeEither's greedy walk codes for each pixel, from `pixels` or `others`,
    // into `values`.
    void ChooseEither(std::span<const std::uint8_t> pixels, std::span<const std::uint8_t> others,
                      std::vector<std::uint8_t>& values);

  private:
    // The stream around the strings `parser` chooses: Begin() comes with the fresh table, Next(at)
    // gives the code and length of the string at `at`, First(at) the pixel the next table entry
    // ends with, and Grew and Cleared hear of each entry added and of the table cleared.
    template <typename Parser>
    bool Run(std::span<const std::uint8_t> pixels, std::vector<std::uint8_t>& data,
             std::size_t limit, Parser parser);

    // A code table by prefix and pixel; 0 marks a string it does not hold.
    class Table {
      public:
        explicit Table(int bits);
        std::uint16_t Find(std::uint32_t prefix, std::uint8_t pixel) const {
            return codes_[prefix << bits_ | pixel];
        }
        // Empties the table, entry by entry as they were added.
        void Clear();
        // Makes the table hold what `other` holds, keeping the first `shared` entries, which
        // both added alike.
        void CopyFrom(const Table& other, std::size_t shared);
        // How many entries it holds.
        std::size_t Size() const { return added_.size(); }
        // The last pixel of the string of `code`.
        std::uint8_t Last(std::uint32_t code) const { return lasts_[code]; }
        // A string the table holds keeps its first code, under which its longer strings are.
        void Add(std::uint32_t prefix, std::uint8_t pixel, std::uint32_t code);
        // The codes of the runs of `pixel` the table holds, by length: 1, 2, ...
        std::span<const std::uint16_t> Runs(std::uint8_t pixel) const { return runs_[pixel]; }

      private:
        int bits_;
        std::vector<std::uint16_t> codes_;
        std::vector<std::uint32_t> added_;
        std::vector<std::vector<std::uint16_t>> runs_;
        std::vector<std::uint8_t> lasts_;
    };
    // A string a line of the search coded: the index in trail_ of the string before it, and
    // its length.
    struct Turn {
        std::uint32_t before;
        std::uint32_t length;
    };
    // A parse the search follows: its table, where its next string starts, its last string in
    // trail_, and how many of its table's first entries each line's table shares.
    struct Line {
        explicit Line(int bits) : table(bits) {}
        Table table;
        std::size_t at = 0;
        std::uint32_t last = 0;
        std::vector<std::size_t> shared;
    };

    // How many pixels from each one on are the same, at most 4096: a string that starts in a
    // run is walked through the run at once.
    void FindRuns(std::span<const std::uint8_t> pixels);
    // The part of the longest match in `table` at `at` within its run, its code in `code`.
    std::size_t RunPart(const Table& table, std::span<const std::uint8_t> pixels, std::size_t at,
                        std::uint32_t& code) const;
    // The length of the longest match in `table` at `at`, its code in `code`.
    std::size_t Longest(const Table& table, std::span<const std::uint8_t> pixels, std::size_t at,
                        std::uint32_t& code) const;
    // The longest match at `at` into run_, runPixel_ and tail_.
    void Walk(std::span<const std::uint8_t> pixels, std::size_t at);
    // The code of the longest match's first `length` pixels.
    std::uint32_t CodeOf(std::size_t length) const;
    std::size_t MatchLength(const Table& table, std::span<const std::uint8_t> pixels,
                            std::size_t at) const;
    // The length of the string to code at `at`: the longest match, or one up to two pixels
    // shorter when the string after it then reaches more than three pixels further.
    std::size_t LookAhead(const Table& table, std::span<const std::uint8_t> pixels, std::size_t at,
                          std::size_t longest, LzwParse parse) const;
    // Whether clearing before pixel `at` codes the pixels ahead in fewer bits than the full
    // table does, over as many pixels as a fresh table takes to fill.
    bool ClearPays(std::span<const std::uint8_t> pixels, std::size_t at);
    // The longest match in table_ at `at` whose first pixel is `first`, each later pixel its
    // value in `pixels` or in `others`: the codes of its strings by length into `path`, its
    // length returned.
    std::size_t LongestEither(std::span<const std::uint8_t> pixels,
                              std::span<const std::uint8_t> others, std::size_t at,
                              std::uint8_t first, std::vector<std::uint16_t>& path) const;
    // The longest match at `at` into `path`, starting with the value whose match reaches
    // further, the one in `pixels` on a tie; its length returned, 0 past the end.
    std::size_t FirstEither(std::span<const std::uint8_t> pixels,
                            std::span<const std::uint8_t> others, std::size_t at,
                            std::vector<std::uint16_t>& path,
                            std::vector<std::uint16_t>& spare) const;
    // The length of the string to code at `at` when path_ holds the longest match: as
    // LookAhead, over the strings EncodeEither codes.
    std::size_t LookAheadEither(std::span<const std::uint8_t> pixels,
                                std::span<const std::uint8_t> others, std::size_t at,
                                LzwParse parse);

    // The lengths of the strings the search chooses for `pixels`, until they end or the table
    // fills, into `lengths`.
    void Search(std::span<const std::uint8_t> pixels, std::size_t from, LzwParse guard,
                std::vector<std::uint32_t>& lengths);
    // The code of the `length` pixels from `at` in `table`, which holds them.
    std::uint32_t CodeIn(const Table& table, std::span<const std::uint8_t> pixels, std::size_t at,
                         std::size_t length) const;
    bool RunEither(std::span<const std::uint8_t> pixels, std::span<const std::uint8_t> others,
                   std::vector<std::uint8_t>& data, std::size_t limit, LzwParse parse,
                   std::vector<std::uint8_t>* values);

    int bits_;
    std::uint32_t clearCode_;
    Table table_;
    Table trial_;
    std::vector<std::uint16_t> runAhead_;
    // The longest match: a run of `run_` pixels runPixel_, then the codes of the longer
    // strings by length.
    std::size_t run_ = 0;
    std::uint8_t runPixel_ = 0;
    std::vector<std::uint16_t> tail_;
    std::vector<std::uint16_t> path_;
    std::vector<std::uint16_t> scratch_;
    std::vector<std::uint16_t> ahead_;
    std::vector<std::uint16_t> aheadSpare_;
    std::vector<Line> lines_;  // the search's, made when it first runs
    std::vector<Turn> trail_;
    std::vector<std::uint32_t> plan_;
};

}  // namespace zef
