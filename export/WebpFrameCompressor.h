#pragma once

#include <webp/encode.h>

#include <array>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

#include "export/OrderedJobs.h"

namespace zef {

// One frame of the animation as stored: a still WebP picture placed at (left, top) on the
// canvas, drawn over what the frame before left there (blended: its transparent pixels keep
// what was there) or replacing it.
struct WebpFramePicture {
    std::vector<std::uint8_t> bytes;
    std::int32_t left = 0;
    std::int32_t top = 0;
    bool blended = false;
};

// Compresses frames into still WebP pictures on worker threads, as many as the machine has
// cores: libwebp compresses a picture on one core. Each frame is stored as the box of the
// pixels that changed from the frame before (of the first frame, the pixels that show: the
// canvas starts transparent), or, where every
// changed pixel is opaque and that is smaller, the box blended over the frame before with
// its unchanged pixels transparent. A few frames wait at most, so memory stays flat however many
// frames come; the pictures come out in the order the frames went in, whatever thread compressed
// them.
class WebpFrameCompressor {
  public:
    // Throws std::bad_alloc when the frame buffers cannot be had or no worker can be started.
    WebpFrameCompressor(std::int32_t width, std::int32_t height, const WebPConfig& config);
    WebpFrameCompressor(const WebpFrameCompressor&) = delete;
    WebpFrameCompressor& operator=(const WebpFrameCompressor&) = delete;

    // Queues a copy of `argb`, width x height 0xAARRGGBB values, and of the frame shown before
    // it (empty for the first frame), waiting while every buffer is taken. False when a frame
    // has failed to compress (the encoder's memory).
    bool Compress(std::span<const std::uint32_t> argb, std::span<const std::uint32_t> before);
    // As Compress, every pixel of `argb` into one picture: a still image.
    bool CompressWhole(std::span<const std::uint32_t> argb);
    // Waits for every queued frame. False when one failed to compress.
    bool Wait();
    // The compressed pictures, each a whole WebP file, in the order of Compress; complete
    // after Wait.
    const std::vector<WebpFramePicture>& Pictures() const { return pictures_; }

  private:
    struct Buffers {
        std::vector<std::uint32_t> argb;
        std::vector<std::uint32_t> before;
        std::vector<std::uint32_t> box;  // the pixels of the candidate being coded
    };
    // What a frame is drawn over: the frame before, the empty canvas of the first frame, or
    // nothing (a still image).
    enum class Over : std::uint8_t { kFrameBefore, kEmptyCanvas, kNothing };
    // Whether a frame was compressed at kTrialLevel too, and whether that was worth it;
    // kPending while the frame is not done.
    enum class Trial : std::uint8_t { kPending, kNotWeighed, kWon, kLost };
    struct Job {
        std::size_t index = 0;
        Over over = Over::kFrameBefore;
        Buffers buffers;
        Trial trial = Trial::kNotWeighed;
        WebpFramePicture picture;
        bool encoded = false;
    };
    struct Box {
        std::int32_t left;
        std::int32_t top;
        std::int32_t right;  // one past
        std::int32_t bottom;
        bool translucentChange;  // a changed pixel is not opaque
        std::int64_t changed;    // how many pixels
    };

    // The job's frame into job.picture.
    bool Encode(Job& job);
    // The job's trial, for the frames after it that are judged by it.
    void Record(const Job& job);
    // The job's picture in its place, its buffers free again.
    void Collect(Job& job);
    // Whether frame `index` is compressed at kTrialLevel besides its own level: every
    // kTrialEvery-th frame, and every frame while the frame last weighed kTrialLag frames
    // before it or earlier found kTrialLevel smaller. Waits until the frames up to that one are
    // done, so that the file is the same whatever thread compressed what.
    bool WeighsTrialLevel(std::size_t index);
    // The box of the pixels that differ from the frame before, or from the empty canvas those
    // that are not fully transparent, its corner on even coordinates as a WebP frame's must be.
    Box ChangedBox(const Buffers& buffers, Over over) const;
    bool Queue(std::span<const std::uint32_t> argb, std::span<const std::uint32_t> before,
               Over over);
    // The box's pixels into buffers.box, the unchanged ones transparent.
    void BlendedBox(Buffers& buffers, const Box& box) const;
    // The `width` x `height` pixels from `pixels` as a WebP picture; a lossless picture of
    // at most kSmallArea pixels at the slowest, smallest level, and one of a frame that
    // changed `everywhere` at the smaller of kEverywhereLevels.
    bool EncodeArea(std::uint32_t* pixels, std::int32_t width, std::int32_t height, bool everywhere,
                    std::vector<std::uint8_t>& picture) const;
    // The pixels compressed with `config` into `picture`, appended.
    static bool EncodeWith(const WebPConfig& config, std::uint32_t* pixels, std::int32_t width,
                           std::int32_t height, std::vector<std::uint8_t>& picture);

    std::int32_t width_;
    std::int32_t height_;
    // A box of a few line segments takes little time at any level, and the highest level
    // takes a tenth off the replay of a drawing that does not tremble; boxes up to 16,384
    // pixels doubled the time of the sample's replay.
    static constexpr std::int64_t kSmallArea = 4096;
    static constexpr int kSmallAreaLevel = 9;
    static constexpr std::int64_t kBlendTrialShare = 4;
    // Where a frame changes nearly everywhere (a transparent or scribbled drawing that
    // trembles, every shaking export) its box covers kEverywhereEighths of the frame or more
    // and one pixel in kEverywhereShare or more of it changed; there levels 6 and 7 (method 4)
    // are each a few bytes in a thousand smaller than level 2 and neither is always the
    // smaller, at three times level 2's processor time for the two. Over the sample's boxes,
    // four fifths of the frame, they took the export from 1.1 to 2.4 s of processor time for
    // 18 bytes; over a box of few changed pixels (a few long lines) level 2 was 4 % smaller.
    // A box of three quarters of the frame or more where one pixel in kDenseShare or more
    // changed (a scribble growing over the picture) takes them too: there level 2 lost to
    // gif2webp's level 6 by 0.2 to 0.8 % a frame. A box of any size where one pixel in
    // kThickShare or more changed, kThickChanged pixels at least (shapes hatched with the
    // filled tools, which tremble all over), takes them too: there they are 1 to 4 % smaller
    // a frame, never larger from one pixel in 12 changed on; over fewer changed pixels (a few
    // lines drawn so far) level 2 was 6 % smaller.
    // The sample's boxes, four fifths of the frame with fewer than one pixel in 16 changed,
    // stay at level 2.
    static constexpr std::int64_t kEverywhereEighths = 7;
    static constexpr std::int64_t kEverywhereShare = 32;
    static constexpr std::int64_t kDenseShare = 16;
    static constexpr std::int64_t kThickShare = 10;
    static constexpr std::int64_t kThickChanged = 8192;
    static constexpr std::array<int, 2> kEverywhereLevels{6, 7};
    // Over the other boxes level 5 (method 4) is a hundredth smaller than level 2 on thick
    // trembling lines (width 8) and on a large drawing, and a hundredth or two larger on thin
    // sparse lines and on short strokes; weighing both on every frame doubled the time. A frame
    // is weighed at both where that is due (WeighsTrialLevel), and level 5 wins where it is a
    // kTrialGain-th smaller.
    static constexpr int kTrialLevel = 5;
    static constexpr std::size_t kTrialEvery = 16;
    static constexpr std::size_t kTrialLag = 8;
    static constexpr std::size_t kTrialGain = 128;
    WebPConfig config_;
    WebPConfig trialConfig_;
    WebPConfig smallConfig_;
    std::array<WebPConfig, 2> everywhereConfigs_;
    std::vector<Buffers> freeBuffers_;
    std::vector<WebpFramePicture> pictures_;
    bool failed_ = false;
    std::mutex trialsMutex_;
    std::condition_variable trialDone_;
    std::vector<Trial> trials_;   // by frame
    std::size_t donePrefix_ = 0;  // the frames done from the first on
    OrderedJobs<Job> jobs_;       // last, so that its workers stop before the rest goes
};

}  // namespace zef
