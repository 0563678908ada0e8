#include "TestScene.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>

namespace zef::test {
namespace {

bool IsLoop(const ExtensionBlock& block) {
    return block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11 &&
           std::memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0;
}

}  // namespace

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

std::optional<DecodedGif> DecodeGif(const std::string& path) {
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (gif == nullptr) {
        return std::nullopt;
    }
    if (DGifSlurp(gif) != GIF_OK || gif->SColorMap == nullptr) {
        DGifCloseFile(gif, &error);
        return std::nullopt;
    }
    DecodedGif decoded{gif->SWidth, gif->SHeight, false, {}};
    std::vector<std::int64_t> canvas(static_cast<std::size_t>(gif->SWidth) * gif->SHeight, kClear);
    std::vector<ShownFrame> frames;
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& image = gif->SavedImages[i];
        decoded.loops |= std::any_of(image.ExtensionBlocks,
                                     image.ExtensionBlocks + image.ExtensionBlockCount, IsLoop);
        GraphicsControlBlock control{};
        DGifSavedExtensionToGCB(gif, i, &control);
        const GifImageDesc& d = image.ImageDesc;
        const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif->SColorMap;
        for (int y = 0; y < d.Height; ++y) {
            for (int x = 0; x < d.Width; ++x) {
                const int index = image.RasterBits[y * d.Width + x];
                if (index == control.TransparentColor) {
                    continue;
                }
                const GifColorType c = map->Colors[index];
                canvas[static_cast<std::size_t>((d.Top + y) * gif->SWidth + d.Left + x)] =
                    c.Red + 256 * c.Green + 65536 * c.Blue;
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
        std::any_of(gif->ExtensionBlocks, gif->ExtensionBlocks + gif->ExtensionBlockCount, IsLoop);
    decoded.frames = Merge(std::move(frames));
    DGifCloseFile(gif, &error);
    return decoded;
}

}  // namespace zef::test
