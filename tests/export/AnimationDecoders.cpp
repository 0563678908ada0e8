#include "tests/export/TestScene.h"

#include <gif_lib.h>
#include <webp/demux.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace zef::test {
std::vector<ShownFrame> Merge(std::vector<ShownFrame> frames) {
    std::vector<ShownFrame> merged;
    for (ShownFrame& frame : frames) {
        if (!merged.empty() && merged.back().pixels == frame.pixels) {
            merged.back().delay += frame.delay;
        } else {
            merged.push_back(std::move(frame));
        }
    }
    return merged;
}

std::optional<DecodedAnimation> DecodeGif(const std::string& path) {
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (gif == nullptr || DGifSlurp(gif) != GIF_OK || gif->SColorMap == nullptr) {
        DGifCloseFile(gif, &error);
        return std::nullopt;
    }
    const auto isLoop = [](const ExtensionBlock& block) {
        return block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11 &&
               std::memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0;
    };
    DecodedAnimation decoded{gif->SWidth, gif->SHeight, false, {}};
    std::vector<std::int64_t> canvas(static_cast<std::size_t>(gif->SWidth) * gif->SHeight, kClear);
    std::vector<ShownFrame> frames;
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& image = gif->SavedImages[i];
        decoded.loops |= std::any_of(image.ExtensionBlocks,
                                     image.ExtensionBlocks + image.ExtensionBlockCount, isLoop);
        GraphicsControlBlock control{};
        DGifSavedExtensionToGCB(gif, i, &control);
        const GifImageDesc& d = image.ImageDesc;
        const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif->SColorMap;
        for (int y = 0; y < d.Height; ++y) {
            for (int x = 0; x < d.Width; ++x) {
                const int index = image.RasterBits[y * d.Width + x];
                const GifColorType c = map->Colors[index];
                if (index != control.TransparentColor) {
                    canvas[static_cast<std::size_t>((d.Top + y) * gif->SWidth + d.Left + x)] =
                        c.Red + 256 * c.Green + 65536 * c.Blue;
                }
            }
        }
        frames.push_back({canvas, static_cast<std::uint32_t>(control.DelayTime)});
        if (control.DisposalMode == DISPOSE_BACKGROUND) {
            for (int y = 0; y < d.Height; ++y) {
                std::fill_n(canvas.begin() + (d.Top + y) * gif->SWidth + d.Left, d.Width, kClear);
            }
        }
    }
    // The loop extension giflib keeps among the trailing blocks of a file without images.
    decoded.loops |=
        std::any_of(gif->ExtensionBlocks, gif->ExtensionBlocks + gif->ExtensionBlockCount, isLoop);
    decoded.frames = Merge(std::move(frames));
    DGifCloseFile(gif, &error);
    return decoded;
}

std::optional<DecodedAnimation> DecodeWebp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    const WebPData data{bytes.data(), bytes.size()};
    WebPAnimDecoderOptions options;
    WebPAnimDecoderOptionsInit(&options);
    options.color_mode = MODE_RGBA;
    WebPAnimDecoder* decoder = WebPAnimDecoderNew(&data, &options);
    if (decoder == nullptr) {
        return std::nullopt;
    }
    WebPAnimInfo info;
    WebPAnimDecoderGetInfo(decoder, &info);
    DecodedAnimation decoded{static_cast<std::int32_t>(info.canvas_width),
                             static_cast<std::int32_t>(info.canvas_height),
                             info.loop_count == 0,
                             {}};
    std::uint8_t* rgba = nullptr;
    int previous = 0, timestamp = 0;
    while (WebPAnimDecoderGetNext(decoder, &rgba, &timestamp)) {
        ShownFrame& frame = decoded.frames.emplace_back(
            ShownFrame{{}, static_cast<std::uint32_t>(timestamp - previous) / 10});
        previous = timestamp;
        for (std::size_t i = 0; i < std::size_t{info.canvas_width} * info.canvas_height; ++i) {
            const std::uint8_t* p = rgba + 4 * i;
            frame.pixels.push_back(Shown(p[0] | p[1] << 8 | p[2] << 16, p[3]));
        }
    }
    WebPAnimDecoderDelete(decoder);
    return decoded;
}

// Pillow (Debian's python3-pil) reading an animated PNG: "W H PLAYS FRAMES", then each frame's
// delay in milliseconds on a line of its own and its pixels as RGBA, then the default image as a
// reader that knows no animation sees it, read from the file without its animation chunks.
constexpr const char* kReadApng = R"(
import io, struct, sys
from PIL import Image
data = open(sys.argv[1], "rb").read()
at, still = 8, data[:8]
while at < len(data):
    n = struct.unpack(">I", data[at:at + 4])[0]
    if data[at + 4:at + 8] not in (b"acTL", b"fcTL", b"fdAT"):
        still += data[at:at + 12 + n]
    at += 12 + n
im = Image.open(io.BytesIO(data))
out = sys.stdout.buffer
out.write(b"%d %d %d %d\n" % (im.width, im.height, im.info.get("loop", -1), im.n_frames))
for i in range(im.n_frames):
    im.seek(i)
    out.write(b"%d\n" % round(im.info["duration"]))
    out.write(im.convert("RGBA").tobytes())
out.write(Image.open(io.BytesIO(still)).convert("RGBA").tobytes())
)";

std::optional<DecodedAnimation> DecodeApng(const std::string& path) {
    // The script holds no single quote.
    FILE* pipe =
        popen(("/usr/bin/python3 -c '" + std::string(kReadApng) + "' '" + path + "'").c_str(), "r");
    DecodedAnimation decoded;
    int plays = -1, count = 0;
    if (pipe == nullptr ||
        std::fscanf(pipe, "%d %d %d %d\n", &decoded.width, &decoded.height, &plays, &count) != 4) {
        if (pipe != nullptr) {
            pclose(pipe);
        }
        return std::nullopt;
    }
    decoded.loops = plays == 0;
    const std::size_t pixels = static_cast<std::size_t>(decoded.width) * decoded.height;
    std::vector<std::uint8_t> rgba(4 * pixels);
    const auto read = [&](ShownFrame& frame) {
        const bool ok = std::fread(rgba.data(), 1, rgba.size(), pipe) == rgba.size();
        for (std::size_t i = 0; ok && i < pixels; ++i) {
            const std::uint8_t* p = &rgba[4 * i];
            frame.pixels.push_back(Shown(p[0] | p[1] << 8 | p[2] << 16, p[3]));
        }
        return ok;
    };
    std::vector<ShownFrame> frames(static_cast<std::size_t>(count));
    bool ok = true;
    for (ShownFrame& frame : frames) {
        ok = ok && std::fscanf(pipe, "%u\n", &frame.delay) == 1 && read(frame);
    }
    ShownFrame still;
    ok = ok && read(still);
    ok = pclose(pipe) == 0 && ok && (frames.empty() || still.pixels == frames.front().pixels);
    if (!ok) {
        return std::nullopt;
    }
    // Delays in milliseconds, added up over equal frames before they are told in hundredths.
    decoded.frames = Merge(std::move(frames));
    for (ShownFrame& frame : decoded.frames) {
        frame.delay /= 10;
    }
    return decoded;
}

}  // namespace zef::test
