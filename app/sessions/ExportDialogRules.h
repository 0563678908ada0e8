#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/shell/FileDialog.h"
#include "app/shell/FileDialogRecord.h"
#include "export/ExportFormat.h"
#include "export/ExportOptions.h"
#include "export/Exporters.h"
#include "model/Model.h"

namespace zef {

// What the controls of an export dialog hold. `kind` is the checked kind radio: shaking,
// VTR or (BMP only) the still image.
struct ExportForm {
    std::string path;
    ExportKind kind = ExportKind::kShaking;
    std::string endWait;
    std::int32_t smoothness = kMaxSmoothness;
    std::string width;
    std::string height;
    bool antiAliasing = false;
    bool transparent = false;  // GIF only
    friend bool operator==(const ExportForm&, const ExportForm&) = default;
};

// What the GIF dialog writes for a path: a WebP, APNG, MP4 or WebM when it ends in ".webp",
// ".png" or ".apng", ".mp4" or ".webm" in any case, else a GIF. The BMP dialog writes BMP.
ExportFormat FormatWritten(ExportFormat dialog, std::string_view path);

// The end-wait edit takes input only while VTR is checked, and the transparency box only
// without anti-aliasing, or with it for a WebP, an APNG or a WebM, which keep every shade of
// an edge; never for an MP4, which has no transparency.
constexpr bool EndWaitEnabled(ExportKind kind) {
    return kind == ExportKind::kVtr;
}
bool TransparencyEnabled(bool antiAliasing, std::string_view path);

// The form a dialog opens with: the remembered options, the model's path with ".gif" or
// ".bmp" in place of its last four characters (empty for an untitled model) and the model's
// size. The GIF dialog has no still image: a remembered one becomes shaking, remembered too.
ExportForm OpeningForm(ExportOptions& options, ExportFormat format, const Model& model);

// The frame count the dialog shows, and for the BMP dialog the size in megabytes ("***"
// for both when a field does not read as a number); `megabytes` is empty for the GIF dialog.
struct ExportPreview {
    std::string count;
    std::string megabytes;
    friend bool operator==(const ExportPreview&, const ExportPreview&) = default;
};
ExportPreview PreviewOf(const ExportForm& form, ExportFormat format, const Model& model);

// Save's reading of the form: the export to run, or the first validation message (empty
// path, VTR end wait, width, height, in this order). The GIF path gets ".gif" unless it ends
// in it or names a WebP, an APNG or a video; the BMP path loses a final ".bmp" and is the base
// name. A shaking end wait that is not a number is 5; the still image reads neither the end wait
// nor the smoothness.
struct SaveCheck {
    std::optional<ExportRequest> request;
    const char* message = nullptr;
};
SaveCheck CheckForSave(const ExportForm& form, ExportFormat format);

// The export a preview of the form plays: Save's, whatever the path field holds; nothing
// while a field does not read as a number.
std::optional<ExportRequest> PreviewRequest(const ExportForm& form, ExportFormat format);

// The first file the export will write, which the overwrite question asks about when it can
// be opened: the GIF or WebP, base0000.bmp, or base.bmp for the still image.
std::string FirstFileWritten(const ExportRequest& request, ExportFormat format);
bool FileCanBeOpened(const std::string& path);

// The save dialog Browse shows, starting from the path edit's text, which the shared record
// keeps; the caller clears the record's folder and takes the path when the user confirms.
// The GIF dialog's offers GIF, WebP, APNG, MP4 and WebM files, and a name typed without an
// ending gets the ending of the type chosen.
FileDialog BrowseDialog(ExportFormat format, FileDialogRecord& record, const std::string& typed);

// What the options become after an export: as the dialog used them, except that a still
// image leaves the end wait and smoothness as they were, and the BMP dialog, which has no
// transparency box, leaves the transparency as it was.
void StoreAfterExport(ExportOptions& options, const ExportRequest& request, ExportFormat format);
// Cancel, the close box, Escape and a cancelled export: the options as the controls show
// them, an end wait that is not a number taken as 5 (the BMP dialog leaving the transparency
// as it was).
void StoreOnCancel(ExportOptions& options, const ExportForm& form, ExportFormat format);

}  // namespace zef
