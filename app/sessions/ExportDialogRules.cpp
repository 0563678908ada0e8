#include "app/sessions/ExportDialogRules.h"

#include <fstream>

#include "export/ExportFormats.h"
#include "export/ExportRules.h"
#include "export/ExportTexts.h"
#include "export/UnsignedNumber.h"

namespace zef {
namespace {

constexpr std::int32_t kDefaultEndWait = 5;

// The GIF dialog, which writes WebP files too.
bool Gif(ExportFormat format) {
    return format != ExportFormat::kBmp;
}

// The kind Save and Cancel take: the GIF dialog knows only shaking and VTR.
ExportKind KindOf(const ExportForm& form, ExportFormat format) {
    return Gif(format) && form.kind != ExportKind::kShaking ? ExportKind::kVtr : form.kind;
}

}  // namespace

// The other formats of the GIF dialog are tried in the table's order before the GIF itself,
// whose ending the path may have only after another's (".webp.gif" ends in ".gif").
ExportFormat FormatWritten(ExportFormat dialog, std::string_view path) {
    if (!Gif(dialog)) {
        return dialog;
    }
    for (const ExportFormatRow& row : ExportFormats()) {
        if (row.format != ExportFormat::kGif && !row.sequence && NamesFormat(row, path)) {
            return row.format;
        }
    }
    return dialog;
}

bool TransparencyEnabled(bool antiAliasing, std::string_view path) {
    switch (RowOf(FormatWritten(ExportFormat::kGif, path)).transparency) {
        case Transparency::kAlways:
            return true;
        case Transparency::kNever:
            return false;
        case Transparency::kWithoutAntiAliasing:
            break;
    }
    return !antiAliasing;
}

ExportForm OpeningForm(ExportOptions& options, ExportFormat format, const Model& model) {
    if (Gif(format) && options.kind == ExportKind::kStill) {
        options.kind = ExportKind::kShaking;
    }
    const ModelProperties& properties = model.properties;
    ExportForm form;
    form.kind = options.kind;
    form.endWait = UnsignedNumberText(options.endWait);
    form.path = ProposedExportPath(model.document.path, Gif(format) ? ".gif" : ".bmp");
    form.width = std::to_string(properties.canvasWidth);
    form.height = std::to_string(properties.canvasHeight);
    form.smoothness = options.smoothness;
    form.antiAliasing = options.antiAliasing;
    form.transparent = Gif(format) && options.transparentBackground;
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
    if (request.kind != ExportKind::kStill) {
        const std::optional<std::int32_t> endWait = ParseNonNegative(form.endWait);
        if (request.kind == ExportKind::kVtr && !endWait) {
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

std::optional<ExportRequest> PreviewRequest(const ExportForm& form, ExportFormat format) {
    ExportForm named = form;
    if (named.path.empty()) {
        named.path = "preview";
    }
    return CheckForSave(named, format).request;
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
    for (const ExportFormatRow& row : ExportFormats()) {
        if (row.sequence != Gif(format)) {
            dialog.filters.push_back({row.filter, row.pattern});
        }
    }
    dialog.initialPath = record.path;
    dialog.initialDirectory = record.StartDirectory();
    dialog.endingFromFilter = Gif(format);
    return dialog;
}

void StoreAfterExport(ExportOptions& options, const ExportRequest& request, ExportFormat format) {
    const bool still = request.kind == ExportKind::kStill;
    StoreExportOptions(options, request.kind, request.antiAliasing,
                       Gif(format) ? request.transparent : options.transparentBackground,
                       still ? options.endWait : request.endWait,
                       still ? VtrFrameDelay(options.smoothness) : request.frameDelay);
}

void StoreOnCancel(ExportOptions& options, const ExportForm& form, ExportFormat format) {
    StoreExportOptions(options, KindOf(form, format), form.antiAliasing,
                       Gif(format) ? form.transparent : options.transparentBackground,
                       ParseNonNegative(form.endWait).value_or(kDefaultEndWait),
                       VtrFrameDelay(form.smoothness));
}

}  // namespace zef
