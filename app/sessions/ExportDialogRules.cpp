#include "ExportDialogRules.h"

#include <fstream>

#include "ExportRules.h"
#include "ExportTexts.h"
#include "UnsignedNumber.h"

namespace zef {
namespace {

constexpr std::int32_t kDefaultEndWait = 5;

// The GIF dialog, which writes WebP files too.
bool Gif(ExportFormat format) {
    return format != ExportFormat::kBmp;
}

// The kind Save and Cancel take: the GIF dialog knows only shaking and VTR.
std::int32_t KindOf(const ExportForm& form, ExportFormat format) {
    return Gif(format) && form.kind != kExportShaking ? kExportVtr : form.kind;
}

}  // namespace

ExportFormat FormatWritten(ExportFormat dialog, std::string_view path) {
    if (!Gif(dialog)) {
        return dialog;
    }
    if (NamesWebp(path)) {
        return ExportFormat::kWebp;
    }
    if (NamesApng(path)) {
        return ExportFormat::kApng;
    }
    if (EndsInAnyCase(path, ".mp4")) {
        return ExportFormat::kMp4;
    }
    return EndsInAnyCase(path, ".webm") ? ExportFormat::kWebm : dialog;
}

bool TransparencyEnabled(bool antiAliasing, std::string_view path) {
    switch (FormatWritten(ExportFormat::kGif, path)) {
        case ExportFormat::kWebp:
        case ExportFormat::kApng:
        case ExportFormat::kWebm:
            return true;
        case ExportFormat::kMp4:
            return false;
        case ExportFormat::kGif:
        case ExportFormat::kBmp:
            break;
    }
    return !antiAliasing;
}

ExportForm OpeningForm(ExportOptions& options, ExportFormat format, const Model& model) {
    if (Gif(format) && options.kind == kExportStill) {
        options.kind = kExportShaking;
    }
    const ModelProperties& properties = model.properties;
    ExportForm form;
    form.kind = options.kind;
    form.endWait = UnsignedNumberText(options.endWait);
    form.path = ProposedExportPath(model.document.path, Gif(format) ? ".gif" : ".bmp");
    form.width = std::to_string(properties.canvasWidth);
    form.height = std::to_string(properties.canvasHeight);
    form.smoothness = options.smoothness;
    form.antiAliasing = options.antiAliasing == 1;
    form.transparent = Gif(format) && options.transparentBackground == 1;
    return form;
}

ExportPreview PreviewOf(const ExportForm& form, ExportFormat format, const Model& model) {
    const double length = model.TotalPathLength();
    const std::int32_t speed = model.properties.vtrSpeed;
    if (Gif(format)) {
        return {FramePreviewText(form.kind, form.endWait, form.smoothness, length, speed), {}};
    }
    const BmpPreview preview = BmpPreviewTexts(form.kind, form.endWait, form.smoothness, length,
                                               speed, form.width, form.height);
    return {preview.count, preview.megabytes};
}

SaveCheck CheckForSave(const ExportForm& form, ExportFormat format) {
    if (form.path.empty()) {
        return {std::nullopt, texts::kNoFileName};
    }
    ExportRequest request;
    request.path = ExportPathFor(FormatWritten(format, form.path), form.path);
    request.kind = KindOf(form, format);
    if (request.kind != kExportStill) {
        const std::optional<std::int32_t> endWait = ParseNonNegative(form.endWait);
        if (request.kind == kExportVtr && !endWait) {
            return {std::nullopt, texts::kBadEndWait};
        }
        request.endWait = endWait.value_or(kDefaultEndWait);
        request.frameDelay = FrameDelay(request.kind, form.smoothness);
    }
    const std::optional<std::int32_t> width = ParseSide(form.width);
    if (!width) {
        return {std::nullopt, texts::kBadWidth};
    }
    const std::optional<std::int32_t> height = ParseSide(form.height);
    if (!height) {
        return {std::nullopt, texts::kBadHeight};
    }
    request.width = *width;
    request.height = *height;
    request.antiAliasing = form.antiAliasing;
    request.transparent = Gif(format) && form.transparent;
    return {std::move(request), nullptr};
}

std::string FirstFileWritten(const ExportRequest& request, ExportFormat format) {
    return Gif(format) ? request.path : BmpFileName(request.path, request.kind, 0);
}

bool FileCanBeOpened(const std::string& path) {
    return std::ifstream(path, std::ios::binary).is_open();
}

FileDialog BrowseDialog(ExportFormat format, FileDialogRecord& record, const std::string& typed) {
    record.path = typed;
    FileDialog dialog;
    dialog.kind = FileDialogKind::kSave;
    dialog.title = Gif(format) ? texts::kGifBrowseTitle : texts::kBmpBrowseTitle;
    dialog.filters = Gif(format)
                         ? std::vector<FileFilter>{{texts::kGifFilter, texts::kGifPattern},
                                                   {texts::kWebpFilter, texts::kWebpPattern},
                                                   {texts::kApngFilter, texts::kApngPattern},
                                                   {texts::kMp4Filter, texts::kMp4Pattern},
                                                   {texts::kWebmFilter, texts::kWebmPattern}}
                         : std::vector<FileFilter>{{texts::kBmpFilter, texts::kBmpPattern}};
    dialog.initialPath = record.path;
    dialog.initialDirectory = record.StartDirectory();
    dialog.endingFromFilter = Gif(format);
    return dialog;
}

void StoreAfterExport(ExportOptions& options, const ExportRequest& request, ExportFormat format) {
    const bool still = request.kind == kExportStill;
    StoreExportOptions(options, request.kind, request.antiAliasing ? 1 : 0,
                       Gif(format) ? (request.transparent ? 1 : 0) : options.transparentBackground,
                       still ? options.endWait : request.endWait,
                       still ? VtrFrameDelay(options.smoothness) : request.frameDelay);
}

void StoreOnCancel(ExportOptions& options, const ExportForm& form, ExportFormat format) {
    StoreExportOptions(options, KindOf(form, format), form.antiAliasing ? 1 : 0,
                       Gif(format) ? (form.transparent ? 1 : 0) : options.transparentBackground,
                       ParseNonNegative(form.endWait).value_or(kDefaultEndWait),
                       VtrFrameDelay(form.smoothness));
}

}  // namespace zef
