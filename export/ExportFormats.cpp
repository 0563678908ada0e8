#include "export/ExportFormats.h"

#include <algorithm>
#include <cctype>

#include "export/ExportTexts.h"
#include "export/Exporters.h"

namespace zef {
namespace {

bool EndsIn(std::string_view path, std::string_view ending, bool anyCase) {
    return !ending.empty() && path.size() >= ending.size() &&
           std::equal(ending.begin(), ending.end(), path.end() - ending.size(),
                      [anyCase](char wanted, char c) {
                          return wanted ==
                                 (anyCase ? std::tolower(static_cast<unsigned char>(c)) : c);
                      });
}

ExportResult WriteGif(const ExportScene& scene, const ExportRequest& request,
                      ExportProgress& progress, const FileOps& ops, const WebpCompression&) {
    return ExportAnimatedGif(scene, request, progress, ops);
}

ExportResult WriteWebp(const ExportScene& scene, const ExportRequest& request,
                       ExportProgress& progress, const FileOps& ops,
                       const WebpCompression& compression) {
    return ExportAnimatedWebp(scene, request, progress, ops, compression);
}

ExportResult WriteApng(const ExportScene& scene, const ExportRequest& request,
                       ExportProgress& progress, const FileOps& ops, const WebpCompression&) {
    return ExportAnimatedPng(scene, request, progress, ops);
}

template <ExportFormat kFormat>
ExportResult WriteVideo(const ExportScene& scene, const ExportRequest& request,
                        ExportProgress& progress, const FileOps& ops, const WebpCompression&) {
    return ExportVideo(kFormat, scene, request, progress, ops);
}

ExportResult WriteBmps(const ExportScene& scene, const ExportRequest& request,
                       ExportProgress& progress, const FileOps& ops, const WebpCompression&) {
    return ExportBmpSequence(scene, request, progress, ops);
}

using F = ExportFormat;
using T = Transparency;
namespace t = texts;

const ExportFormatRow kFormats[] = {
    {F::kGif,
     "gif",
     {"image/gif", ""},
     {".gif", ""},
     false,
     false,
     t::kGifFilter,
     t::kGifPattern,
     T::kWithoutAntiAliasing,
     {t::kGifNoWorkBuffer, t::kGifNoFrameStore, t::kGifNoAnimationInfo, t::kGifSaved,
      t::kGifFailed},
     WriteGif},
    {F::kWebp,
     "webp",
     {"image/webp", ""},
     {".webp", ""},
     true,
     false,
     t::kWebpFilter,
     t::kWebpPattern,
     T::kAlways,
     {t::kWebpNoWorkBuffer, t::kWebpNoFrameStore, t::kWebpNoAnimationInfo, t::kWebpSaved,
      t::kWebpFailed},
     WriteWebp},
    {F::kApng,
     "apng",
     {"image/apng", "image/png"},
     {".png", ".apng"},
     true,
     false,
     t::kApngFilter,
     t::kApngPattern,
     T::kAlways,
     {t::kApngNoWorkBuffer, t::kApngNoFrameStore, t::kApngNoAnimationInfo, t::kApngSaved,
      t::kApngFailed},
     WriteApng},
    {F::kMp4,
     "mp4",
     {"video/mp4", ""},
     {".mp4", ""},
     true,
     false,
     t::kMp4Filter,
     t::kMp4Pattern,
     T::kNever,
     {t::kMp4NoWorkBuffer, t::kMp4NoWorkBuffer, t::kMp4NoWorkBuffer, t::kMp4Saved, t::kMp4Failed},
     WriteVideo<F::kMp4>},
    {F::kWebm,
     "webm",
     {"video/webm", ""},
     {".webm", ""},
     true,
     false,
     t::kWebmFilter,
     t::kWebmPattern,
     T::kAlways,
     {t::kWebmNoWorkBuffer, t::kWebmNoWorkBuffer, t::kWebmNoWorkBuffer, t::kWebmSaved,
      t::kWebmFailed},
     WriteVideo<F::kWebm>},
    {F::kBmp,
     "bmp",
     {"image/bmp", ""},
     {".bmp", ""},
     false,
     true,
     t::kBmpFilter,
     t::kBmpPattern,
     T::kNever,
     {t::kBmpNoWorkBuffer, t::kBmpNoWorkBuffer, t::kBmpNoWorkBuffer, t::kBmpSaved, t::kBmpFailed},
     WriteBmps},
};

}  // namespace

std::span<const ExportFormatRow> ExportFormats() {
    return kFormats;
}

const ExportFormatRow& RowOf(ExportFormat format) {
    return *std::find_if(std::begin(kFormats), std::end(kFormats),
                         [format](const ExportFormatRow& row) { return row.format == format; });
}

const ExportFormatRow* FormatNamed(std::string_view word) {
    const auto row = std::find_if(std::begin(kFormats), std::end(kFormats),
                                  [word](const ExportFormatRow& r) { return r.word == word; });
    return row == std::end(kFormats) ? nullptr : row;
}

bool NamesFormat(const ExportFormatRow& row, std::string_view path) {
    return std::any_of(row.endings.begin(), row.endings.end(),
                       [&](std::string_view ending) { return EndsIn(path, ending, row.anyCase); });
}

std::string ExportPathFor(ExportFormat format, const std::string& path) {
    const ExportFormatRow& row = RowOf(format);
    const std::string_view first = row.endings[0];
    if (row.sequence) {
        return EndsIn(path, first, row.anyCase) ? path.substr(0, path.size() - first.size()) : path;
    }
    return NamesFormat(row, path) ? path : path + std::string(first);
}

}  // namespace zef
