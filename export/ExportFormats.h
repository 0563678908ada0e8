#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "export/ExportFormat.h"
#include "model/AtomicFile.h"

namespace zef {

struct ExportRequest;
struct ExportResult;
struct ExportScene;
struct WebpCompression;
class ExportProgress;

// When a format keeps the export's transparency: as a GIF, only without anti-aliasing; as a
// WebP, APNG or WebM, always, every shade of an edge kept; as an MP4 or BMP, never.
enum class Transparency { kWithoutAntiAliasing, kAlways, kNever };

// A format's messages: the three memory messages, success and failure.
struct OutcomeTexts {
    const char* noWorkBuffer;
    const char* noFrameStore;
    const char* noAnimationInfo;
    const char* saved;
    const char* failed;
};

using FormatWriter = ExportResult (*)(const ExportScene& scene, const ExportRequest& request,
                                      ExportProgress& progress, const FileOps& ops,
                                      const WebpCompression& compression);

// Everything in which the formats an export writes differ, one row each: the word zefcli
// takes for it, its media types, the endings its paths take, the file type its dialog's Browse
// offers, when it keeps transparency, its messages and its writer.
struct ExportFormatRow {
    ExportFormat format;
    std::string_view word;
    // The file's media types, the usual first; the clipboard offers its bytes under each.
    std::array<std::string_view, 2> mediaTypes;
    // Lower case; the first is appended to a path that ends in none. A sequence's path is the
    // base name of its numbered files, a final first ending taken off.
    std::array<std::string_view, 2> endings;
    bool anyCase;  // the endings match in any case
    bool sequence;
    const char* filter;
    const char* pattern;
    Transparency transparency;
    OutcomeTexts texts;
    FormatWriter write;
};

// Every format, GIF first; the GIF dialog writes every one that is not a sequence.
std::span<const ExportFormatRow> ExportFormats();
const ExportFormatRow& RowOf(ExportFormat format);
// The format zefcli's command word names; null for another word.
const ExportFormatRow* FormatNamed(std::string_view word);

// Whether the path ends in one of the format's endings.
bool NamesFormat(const ExportFormatRow& row, std::string_view path);
// The path an export of `format` writes for `path`: a file's ending appended unless it has
// one, or a sequence's base name.
std::string ExportPathFor(ExportFormat format, const std::string& path);

}  // namespace zef
