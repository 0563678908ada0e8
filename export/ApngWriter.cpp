#include "export/ApngWriter.h"

#include <libdeflate.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <thread>

namespace zef {
namespace {

// The longest a frame control shows a frame, in milliseconds.
constexpr std::uint64_t kMaxDelay = 65535;
// libdeflate's best level before its slow near-optimal parsing, which takes about eight times
// as long for 7 % less (and, at level 10, for more).
constexpr int kLevel = 9;
// Rows of at most kSmallBytes take little time even at the near-optimal parsing, which takes
// 4 % off a drawing of 64 x 48 and a few bytes in a thousand off the boxes of a growing line.
constexpr int kSmallLevel = 12;
constexpr std::size_t kSmallBytes = 16384;
// Larger rows whose codes at kLevel take at least a kStrongShare-th of them, as the rows would
// be with their indices fitted, are compressed again at kStrongLevel: its time goes with the
// rows and what it saves with the codes. On the thick rings of 800 x 600 (codes 6 % of the
// rows) it takes 12 % off for six times the processor time; the sample's replay (codes 4 %)
// would lose 5 % for seven times; level 12 takes 1.5 % more off for a third more time. Whole
// byte indices of a hatched drawing lose 12 % at kLevel; once they are chosen
// (StrengthenMoreAfter) they take kStrongestLevel, which takes another 2 to 3 % off them for
// 40 % more time.
constexpr int kStrongLevel = 11;
constexpr int kStrongestLevel = 12;
constexpr std::size_t kStrongShare = 20;
// The frames compressed by the near-optimal parsing at once, at most: beyond a few, the frames
// come slower than they are compressed.
constexpr unsigned kMaxWorkers = 8;
constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Where the animation control's frame count lies: after the signature, the 25 bytes of the
// header chunk and the control's length and type.
constexpr std::uint64_t kFrameCountOffset = 8 + 25 + 8;

void PutBigEndian(std::uint8_t* at, std::uint32_t value) {
    at[0] = static_cast<std::uint8_t>(value >> 24);
    at[1] = static_cast<std::uint8_t>(value >> 16);
    at[2] = static_cast<std::uint8_t>(value >> 8);
    at[3] = static_cast<std::uint8_t>(value);
}

std::uint32_t Opacity(std::uint32_t pixel) {
    return pixel >> 24;
}

// A picture of at most kWholeByteArea pixels keeps each index in a whole byte: its frames
// code to a few hundred bytes each, of which the code tables take a large share, and packed
// indices make many more byte values for them to list (11 % more on a drawing of 64 x 48).
constexpr std::int64_t kWholeByteArea = 8192;

int BitDepth(PngPixels kind, std::size_t entries, std::int64_t area) {
    if (kind != PngPixels::kPalette || area <= kWholeByteArea) {
        return 8;
    }
    return entries <= 2 ? 1 : entries <= 4 ? 2 : entries <= 16 ? 4 : 8;
}

int BitsPerPixel(PngPixels kind, int bitDepth) {
    return kind == PngPixels::kPalette ? bitDepth : kind == PngPixels::kColour ? 24 : 32;
}

// The palette with a transparent entry added where there is room.
std::vector<std::uint32_t> PaletteEntries(std::vector<std::uint32_t> entries) {
    if (entries.size() < Palette::kMaxColours &&
        std::find(entries.begin(), entries.end(), 0u) == entries.end()) {
        entries.push_back(0);
    }
    return entries;
}

// The colour most pixels of `pixels` have, counted run by run; `palette` holds them all.
std::uint32_t MostCommon(std::span<const std::uint32_t> pixels, const Palette& palette) {
    std::array<std::size_t, Palette::kMaxColours> counts{};
    for (auto run = pixels.begin(); run != pixels.end();) {
        const auto end = std::find_if(
            run, pixels.end(), [colour = *run](std::uint32_t pixel) { return pixel != colour; });
        if (const std::optional<std::uint8_t> index = palette.Find(*run)) {
            counts[*index] += static_cast<std::size_t>(end - run);
        }
        run = end;
    }
    const auto most = std::max_element(counts.begin(), counts.end());
    return palette.Colours()[static_cast<std::size_t>(most - counts.begin())];
}

std::uint8_t Paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return static_cast<std::uint8_t>(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

}  // namespace

AnimatedPngWriter::AnimatedPngWriter(const std::string& path, std::int32_t width,
                                     std::int32_t height, PngPixels pixels,
                                     std::vector<std::uint32_t> palette, const FileOps& ops,
                                     PngIndices indices)
    : width_(width),
      height_(height),
      kind_(pixels),
      entries_(pixels == PngPixels::kPalette ? PaletteEntries(std::move(palette))
                                             : std::vector<std::uint32_t>{}),
      palette_(Palette::Exact(entries_)),
      keyable_(pixels == PngPixels::kColourAlpha ||
               std::find(entries_.begin(), entries_.end(), 0u) != entries_.end()),
      fittedDepth_(BitDepth(pixels, entries_.size(), std::int64_t{width} * height)),
      bitDepth_(indices == PngIndices::kWholeBytes && pixels == PngPixels::kPalette ? 8
                                                                                    : fittedDepth_),
      file_(path, ops),
      compressor_(libdeflate_alloc_compressor(kLevel)),
      smallCompressor_(libdeflate_alloc_compressor(kSmallLevel)),
      jobs_(std::make_unique<OrderedJobs<QueuedFrame>>(
          std::clamp(std::thread::hardware_concurrency(), 1u, kMaxWorkers),
          [this](QueuedFrame& frame, unsigned worker) { Strengthen(frame, worker); })) {
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    pending_.pixels.resize(count);
    canvas_.resize(count);
    strongCompressors_.resize(jobs_->Workers());
    for (libdeflate_compressor*& strong : strongCompressors_) {
        strong = libdeflate_alloc_compressor(kStrongLevel);
    }
    ok_ = file_.Ok() && compressor_ != nullptr && smallCompressor_ != nullptr &&
          std::find(strongCompressors_.begin(), strongCompressors_.end(), nullptr) ==
              strongCompressors_.end() &&
          file_.Write(kSignature, sizeof kSignature);
    size_ = sizeof kSignature;
    std::uint8_t header[13] = {};
    PutBigEndian(header, static_cast<std::uint32_t>(width));
    PutBigEndian(header + 4, static_cast<std::uint32_t>(height));
    header[8] = static_cast<std::uint8_t>(bitDepth_);
    header[9] = kind_ == PngPixels::kPalette ? 3 : kind_ == PngPixels::kColour ? 2 : 6;
    WriteChunk("IHDR", header);
    WriteChunk("acTL", std::array<std::uint8_t, 8>{});  // the count is put in by Complete
}

// The most common colour of the first frame takes index 0, the index of the filter bytes, so
// that its runs go on from one row into the next (a tenth off the replays); the entries not
// fully opaque come next, so that the transparency chunk lists few of them.
void AnimatedPngWriter::WritePalette() {
    const std::uint32_t first = MostCommon(pending_.pixels, palette_);
    std::stable_partition(entries_.begin(), entries_.end(), [first](std::uint32_t entry) {
        return entry == first || Opacity(entry) < 255;
    });
    std::stable_partition(entries_.begin(), entries_.end(),
                          [first](std::uint32_t entry) { return entry == first; });
    palette_ = Palette::Exact(entries_);
    std::vector<std::uint8_t> colours, opacities;
    for (const std::uint32_t entry : entries_) {
        colours.insert(colours.end(),
                       {static_cast<std::uint8_t>(entry), static_cast<std::uint8_t>(entry >> 8),
                        static_cast<std::uint8_t>(entry >> 16)});
        opacities.push_back(static_cast<std::uint8_t>(Opacity(entry)));
    }
    while (!opacities.empty() && opacities.back() == 255) {
        opacities.pop_back();
    }
    WriteChunk("PLTE", colours);
    if (!opacities.empty()) {
        WriteChunk("tRNS", opacities);
    }
}

AnimatedPngWriter::~AnimatedPngWriter() {
    jobs_.reset();
    libdeflate_free_compressor(compressor_);
    libdeflate_free_compressor(smallCompressor_);
    for (const auto* compressors : {&strongCompressors_, &strongestCompressors_}) {
        for (libdeflate_compressor* compressor : *compressors) {
            libdeflate_free_compressor(compressor);
        }
    }
}

bool AnimatedPngWriter::Add(std::span<const std::uint32_t> pixels, std::uint32_t delay) {
    if (!ok_ || pixels.size() != pending_.pixels.size()) {
        return ok_ = false;
    }
    pending_.Take(pixels, delay, [this](std::span<const std::uint32_t>) { Emit(); });
    return ok_;
}

bool AnimatedPngWriter::Complete() {
    if (ok_ && !pending_.waiting) {
        std::fill(pending_.pixels.begin(), pending_.pixels.end(), 0u);
        pending_.waiting = true;
    }
    if (ok_) {
        Emit();
        jobs_->Drain([this](QueuedFrame& frame) { Output(frame); });
        WriteChunk("IEND", {});
    }
    std::array<std::uint8_t, 12> control{};
    PutBigEndian(control.data(), frameCount_);  // and played over and over: 0
    const std::uint8_t type[4] = {'a', 'c', 'T', 'L'};
    PutBigEndian(control.data() + 8,
                 libdeflate_crc32(libdeflate_crc32(0, type, 4), control.data(), 8));
    ok_ = ok_ && file_.WriteAt(kFrameCountOffset, control);
    return ok_;
}

bool AnimatedPngWriter::Commit() {
    return ok_ && file_.Commit();
}

// Frames are handed to the workers at most twice as many as workers ahead of the last frame
// written, so those from kMaxWorkers * 2 frames on have not gone yet. Where the compressors
// cannot be had, the frames stay at kStrongLevel.
void AnimatedPngWriter::StrengthenMoreAfter(std::uint32_t frame) {
    strongestCompressors_.resize(strongCompressors_.size());
    for (libdeflate_compressor*& strongest : strongestCompressors_) {
        strongest = strongest != nullptr ? strongest : libdeflate_alloc_compressor(kStrongestLevel);
    }
    if (std::find(strongestCompressors_.begin(), strongestCompressors_.end(), nullptr) ==
        strongestCompressors_.end()) {
        strongestFrom_ = frame + 2 * kMaxWorkers;
    }
}

void AnimatedPngWriter::Emit() {
    if (frameCount_ == 0 && kind_ == PngPixels::kPalette) {
        WritePalette();
    }
    PixelBox box = canvasKnown_ ? ChangedBox() : PixelBox{0, 0, width_, height_};
    std::uint64_t delay = pending_.delay * 10;
    // A longer showing is split into frames that change nothing.
    for (; delay > kMaxDelay; delay -= kMaxDelay) {
        WriteFrame(box, kMaxDelay);
        box = {0, 0, 1, 1};
    }
    WriteFrame(box, static_cast<std::uint32_t>(delay));
}

void AnimatedPngWriter::WriteFrame(const PixelBox& box, std::uint32_t delay) {
    if (!ok_ ||
        !Compress(box, false, sourceCodes_, sourceRows_, std::numeric_limits<std::size_t>::max())) {
        ok_ = false;
        return;
    }
    bool over = false;
    if (canvasKnown_ && keyable_ && ChangesOpaque(box) && keyedTrial_.Due()) {
        over = Compress(box, true, keyedCodes_, keyedRows_, sourceCodes_.size());
        keyedTrial_.Weighed(over);
    }
    QueuedFrame frame;
    if (!spare_.empty()) {
        frame = std::move(spare_.back());
        spare_.pop_back();
    }
    frame.box = box;
    frame.delay = delay;
    frame.over = over;
    frame.first = frameCount_ == 0;
    frame.strongest = frameCount_ >= strongestFrom_;
    std::swap(frame.codes, over ? keyedCodes_ : sourceCodes_);
    std::swap(frame.rows, over ? keyedRows_ : sourceRows_);
    frame.strengthen = StrengthenPays(frame.codes, frame.rows);
    if (frame.strengthen) {
        frame.stronger.resize(frame.codes.size());
    }
    const auto output = [this](QueuedFrame& done) { Output(done); };
    if (frame.strengthen || !jobs_->Empty()) {
        jobs_->Push(std::move(frame), output);
    } else {
        output(frame);
    }
    for (std::int32_t y = box.top; y < box.bottom; ++y) {
        std::copy(pending_.pixels.begin() + static_cast<std::ptrdiff_t>(Offset(box.left, y)),
                  pending_.pixels.begin() + static_cast<std::ptrdiff_t>(Offset(box.right, y)),
                  canvas_.begin() + static_cast<std::ptrdiff_t>(Offset(box.left, y)));
    }
    canvasKnown_ = true;
    ++frameCount_;
}

// Every frame is left on the canvas (dispose op none): a frame replaces its box, transparent
// pixels included, so clearing it afterwards never saves anything.
void AnimatedPngWriter::WriteFrameControl(const PixelBox& box, std::uint32_t delay, bool over) {
    std::uint8_t control[26] = {};
    PutBigEndian(control, sequence_++);
    PutBigEndian(control + 4, static_cast<std::uint32_t>(box.right - box.left));
    PutBigEndian(control + 8, static_cast<std::uint32_t>(box.bottom - box.top));
    PutBigEndian(control + 12, static_cast<std::uint32_t>(box.left));
    PutBigEndian(control + 16, static_cast<std::uint32_t>(box.top));
    control[20] = static_cast<std::uint8_t>(delay >> 8);
    control[21] = static_cast<std::uint8_t>(delay);
    control[22] = 1000 >> 8;
    control[23] = 1000 & 0xFF;
    control[25] = over ? 1 : 0;
    WriteChunk("fcTL", control);
}

// Rows of palette indices mostly compress best unfiltered: they are filtered too only while
// that is due.
bool AnimatedPngWriter::Compress(const PixelBox& box, bool keyed, std::vector<std::uint8_t>& out,
                                 std::vector<std::uint8_t>& rows, std::size_t limit) {
    Pack(box, keyed);
    const bool palette = kind_ == PngPixels::kPalette;
    bool fits = false;
    if (ok_ && palette) {
        Filter(box, false);
        fits = Deflate(out, rows, limit);
    }
    if (ok_ && (!palette || filteredTrial_.Due())) {
        Filter(box, true);
        const bool smaller = Deflate(out, rows, limit);
        if (palette) {
            filteredTrial_.Weighed(smaller);
        }
        fits = smaller || fits;
    }
    return fits;
}

bool AnimatedPngWriter::Deflate(std::vector<std::uint8_t>& out, std::vector<std::uint8_t>& rows,
                                std::size_t& limit) {
    libdeflate_compressor* compressor =
        filtered_.size() <= kSmallBytes ? smallCompressor_ : compressor_;
    const std::size_t bound = libdeflate_zlib_compress_bound(compressor, filtered_.size());
    compressed_.resize(bound);
    const std::size_t size =
        libdeflate_zlib_compress(compressor, filtered_.data(), filtered_.size(), compressed_.data(),
                                 std::min(bound, limit - 1));
    if (size == 0) {
        return false;
    }
    compressed_.resize(size);
    std::swap(out, compressed_);
    std::swap(rows, filtered_);
    limit = size;
    return true;
}

// The near-optimal parsing takes time for each byte of rows and saves bytes of codes: where
// the codes are a large share of the rows it pays.
bool AnimatedPngWriter::StrengthenPays(const std::vector<std::uint8_t>& codes,
                                       const std::vector<std::uint8_t>& rows) const {
    return rows.size() > kSmallBytes &&
           codes.size() * kStrongShare * static_cast<std::size_t>(bitDepth_) >=
               rows.size() * static_cast<std::size_t>(fittedDepth_);
}

void AnimatedPngWriter::Strengthen(QueuedFrame& frame, unsigned worker) const {
    if (!frame.strengthen) {
        return;
    }
    const std::size_t size = libdeflate_zlib_compress(
        (frame.strongest ? strongestCompressors_ : strongCompressors_)[worker], frame.rows.data(),
        frame.rows.size(), frame.stronger.data(), frame.codes.size() - 1);
    if (size != 0) {
        frame.stronger.resize(size);
        std::swap(frame.codes, frame.stronger);
    }
}

void AnimatedPngWriter::Output(QueuedFrame& frame) {
    WriteFrameControl(frame.box, frame.delay, frame.over);
    if (frame.first) {
        WriteChunk("IDAT", frame.codes);
    } else {
        std::uint8_t sequence[4];
        PutBigEndian(sequence, sequence_++);
        WriteChunk("fdAT", sequence, frame.codes);
    }
    if (frameWritten_) {
        frameWritten_(size_);
    }
    spare_.push_back(std::move(frame));
}

void AnimatedPngWriter::Pack(const PixelBox& box, bool keyed) {
    const auto width = static_cast<std::size_t>(box.right - box.left);
    const std::size_t rowBytes =
        (width * static_cast<std::size_t>(BitsPerPixel(kind_, bitDepth_)) + 7) / 8;
    raw_.assign(rowBytes * static_cast<std::size_t>(box.bottom - box.top), 0);
    std::uint8_t* out = raw_.data();
    std::uint32_t lastPixel = 0;
    std::optional<std::uint8_t> lastIndex = palette_.Find(0);
    for (std::int32_t y = box.top; y < box.bottom; ++y, out += rowBytes) {
        for (std::size_t x = 0; x < width; ++x) {
            const std::size_t at = Offset(box.left, y) + x;
            const std::uint32_t pixel =
                keyed && canvas_[at] == pending_.pixels[at] ? 0 : pending_.pixels[at];
            if (kind_ != PngPixels::kPalette) {
                std::uint8_t* sample = out + x * (kind_ == PngPixels::kColour ? 3 : 4);
                sample[0] = static_cast<std::uint8_t>(pixel);
                sample[1] = static_cast<std::uint8_t>(pixel >> 8);
                sample[2] = static_cast<std::uint8_t>(pixel >> 16);
                if (kind_ == PngPixels::kColourAlpha) {
                    sample[3] = static_cast<std::uint8_t>(Opacity(pixel));
                }
                continue;
            }
            if (pixel != lastPixel) {
                lastPixel = pixel;
                lastIndex = palette_.Find(pixel);
            }
            if (!lastIndex) {
                ok_ = false;
                return;
            }
            const std::size_t bit = x * static_cast<std::size_t>(bitDepth_);
            out[bit / 8] |= static_cast<std::uint8_t>(*lastIndex << (8 - bitDepth_ - bit % 8));
        }
    }
}

void AnimatedPngWriter::Filter(const PixelBox& box, bool chosen) {
    const auto rows = static_cast<std::size_t>(box.bottom - box.top);
    const std::size_t rowBytes = raw_.size() / rows;
    const auto step = static_cast<std::size_t>(std::max(1, BitsPerPixel(kind_, bitDepth_) / 8));
    filtered_.resize(rows * (rowBytes + 1));
    zeros_.assign(rowBytes, 0);
    trials_.resize(5 * rowBytes);
    for (std::size_t r = 0; r < rows; ++r) {
        const std::uint8_t* row = raw_.data() + r * rowBytes;
        const std::uint8_t* above = r == 0 ? zeros_.data() : row - rowBytes;
        std::uint8_t* out = filtered_.data() + r * (rowBytes + 1);
        if (!chosen) {
            out[0] = 0;
            std::memcpy(out + 1, row, rowBytes);
            continue;
        }
        std::size_t best = 0;
        std::uint64_t bestSum = std::numeric_limits<std::uint64_t>::max();
        for (std::size_t type = 0; type < 5; ++type) {
            std::uint8_t* trial = trials_.data() + type * rowBytes;
            std::uint64_t sum = 0;
            for (std::size_t i = 0; i < rowBytes; ++i) {
                const int a = i >= step ? row[i - step] : 0;
                const int b = above[i];
                const int c = i >= step ? above[i - step] : 0;
                const int predicted = type == 0   ? 0
                                      : type == 1 ? a
                                      : type == 2 ? b
                                      : type == 3 ? (a + b) / 2
                                                  : Paeth(a, b, c);
                trial[i] = static_cast<std::uint8_t>(row[i] - predicted);
                sum += static_cast<std::uint64_t>(std::abs(static_cast<std::int8_t>(trial[i])));
            }
            if (sum < bestSum) {
                bestSum = sum;
                best = type;
            }
        }
        out[0] = static_cast<std::uint8_t>(best);
        std::memcpy(out + 1, trials_.data() + best * rowBytes, rowBytes);
    }
}

void AnimatedPngWriter::WriteChunk(const char* type, std::span<const std::uint8_t> head,
                                   std::span<const std::uint8_t> body) {
    std::uint8_t start[8];
    PutBigEndian(start, static_cast<std::uint32_t>(head.size() + body.size()));
    std::memcpy(start + 4, type, 4);
    std::uint32_t sum = libdeflate_crc32(0, start + 4, 4);
    // libdeflate starts the sum afresh for a null buffer, which an empty span may hold.
    for (const std::span<const std::uint8_t> part : {head, body}) {
        if (!part.empty()) {
            sum = libdeflate_crc32(sum, part.data(), part.size());
        }
    }
    std::uint8_t crc[4];
    PutBigEndian(crc, sum);
    ok_ = ok_ && file_.Write(start, sizeof start) && file_.Write(head.data(), head.size()) &&
          file_.Write(body.data(), body.size()) && file_.Write(crc, sizeof crc);
    size_ += sizeof start + head.size() + body.size() + sizeof crc;
}

PixelBox AnimatedPngWriter::ChangedBox() const {
    return zef::ChangedBox(canvas_.data(), pending_.pixels.data(), width_, height_);
}

bool AnimatedPngWriter::ChangesOpaque(const PixelBox& box) const {
    for (std::int32_t y = box.top; y < box.bottom; ++y) {
        for (std::size_t at = Offset(box.left, y), end = Offset(box.right, y); at < end; ++at) {
            if (canvas_[at] != pending_.pixels[at] && Opacity(pending_.pixels[at]) != 255) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace zef
