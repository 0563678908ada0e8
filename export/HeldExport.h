#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

#include "export/ExportFormat.h"
#include "export/Exporters.h"
#include "export/SizeFit.h"
#include "model/HeldFile.h"
#include "model/Model.h"
#include "model/SelectionState.h"

namespace zef {

// An export of one file (not a BMP sequence), with at most `byteLimit` bytes when one is given.
struct ExportJob {
    ExportFormat format = ExportFormat::kGif;
    ExportRequest request = {};
    WebpCompression compression = {};
    std::optional<std::uint64_t> byteLimit = {};
    friend bool operator==(const ExportJob&, const ExportJob&) = default;
};

// What a byte limit may change in the job: its size, and for a lossy WebP, an MP4 or a WebM its
// quality, given up first down to a quality still fair to look at.
FitRange FitRangeOf(const ExportJob& job);
// The job at a trial's settings.
ExportJob WithSettings(ExportJob job, const FitSettings& settings);

// How a held export ended: its result, the job as it was made (a byte limit's chosen size and
// quality in it), and on success its file held back beside the request's path.
struct HeldExport {
    ExportResult result;
    ExportJob made;
    std::uint64_t bytes = 0;
    HeldFile file;
};

// Writes the job as ExportAs does, but holds the file back instead of putting it in place
// (HeldFile.h), to be placed later without being written again. Every encode runs over a scene
// of its own, a copy of the model with the selection and a random generator seeded with `seed`,
// so that each gives the same bytes for the same settings. Under a byte limit, the trial encodes
// of FitUnderLimit; `trialStarted` hears each one's number, from 1.
HeldExport ExportHeld(const ExportJob& job, const Model& model, const SelectionState& selection,
                      std::uint32_t seed, ExportProgress& progress,
                      const FileOps& ops = SystemFileOps(),
                      const std::function<void(std::size_t)>& trialStarted = {});

// The job written the ordinary way, over a scene as ExportHeld makes it: the same bytes.
ExportResult ExportPlainly(const ExportJob& job, const Model& model,
                           const SelectionState& selection, std::uint32_t seed,
                           ExportProgress& progress, const FileOps& ops = SystemFileOps());

}  // namespace zef
