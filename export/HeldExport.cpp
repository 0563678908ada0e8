#include "export/HeldExport.h"

#include <algorithm>

#include "export/StandaloneScene.h"
#include "export/VideoWriter.h"

namespace zef {
namespace {

// The qualities a byte limit may go down to, and how many halvings of the file the way there
// is taken to give: a video's CRF doubles the file about every 6, a WebP's quality halves it
// over some 40.
constexpr std::int32_t kWorstMp4Quality = 28;
constexpr std::int32_t kWorstWebmQuality = 42;
constexpr std::int32_t kWorstWebpQuality = 40;
constexpr double kVideoQualityPerHalving = 6;
constexpr double kWebpQualityPerHalving = 40;

std::optional<QualitySpan> QualitySpanOf(const ExportJob& job) {
    const bool webm = job.format == ExportFormat::kWebm;
    if (webm || job.format == ExportFormat::kMp4) {
        const std::int32_t best =
            job.request.videoQuality.value_or(webm ? kWebmQuality : kMp4Quality);
        const std::int32_t worst = std::max(best, webm ? kWorstWebmQuality : kWorstMp4Quality);
        return QualitySpan{best, worst, (worst - best) / kVideoQualityPerHalving};
    }
    if (job.format == ExportFormat::kWebp && job.compression.lossyQuality) {
        const std::int32_t best = *job.compression.lossyQuality;
        const std::int32_t worst = std::min(best, kWorstWebpQuality);
        return QualitySpan{best, worst, (best - worst) / kWebpQualityPerHalving};
    }
    return std::nullopt;
}

// A scene of its own for one encode.
struct Scene {
    StandaloneScene scene;
    Scene(const Model& model, const SelectionState& selection, std::uint32_t seed)
        : scene(Model(model), seed) {
        scene.selection = selection;
    }
};

TrialEncode EncodeHeld(const ExportJob& job, const Model& model, const SelectionState& selection,
                       std::uint32_t seed, ExportProgress& progress, const FileOps& ops) {
    Scene scene(model, selection, seed);
    TrialEncode encoded;
    encoded.result = ExportAs(job.format, scene.scene.View(), job.request, progress,
                              encoded.file.Holding(ops), job.compression);
    if (!encoded.result.Succeeded()) {
        encoded.file.Drop();
    }
    encoded.bytes = encoded.file.Size();
    return encoded;
}

}  // namespace

FitRange FitRangeOf(const ExportJob& job) {
    return {job.request.width, job.request.height, QualitySpanOf(job)};
}

ExportJob WithSettings(ExportJob job, const FitSettings& settings) {
    job.request.width = settings.width;
    job.request.height = settings.height;
    if (settings.quality && job.format == ExportFormat::kWebp) {
        job.compression.lossyQuality = settings.quality;
    } else if (settings.quality) {
        job.request.videoQuality = settings.quality;
    }
    return job;
}

HeldExport ExportHeld(const ExportJob& job, const Model& model, const SelectionState& selection,
                      std::uint32_t seed, ExportProgress& progress, const FileOps& ops,
                      const std::function<void(std::size_t)>& trialStarted) {
    HeldExport held;
    held.made = job;
    if (!job.byteLimit) {
        if (trialStarted) {
            trialStarted(1);
        }
        TrialEncode encoded = EncodeHeld(job, model, selection, seed, progress, ops);
        held.result = std::move(encoded.result);
        held.bytes = encoded.bytes;
        held.file = std::move(encoded.file);
        return held;
    }
    std::size_t trials = 0;
    FitEnd fit = FitUnderLimit(FitRangeOf(job), *job.byteLimit, [&](const FitSettings& settings) {
        if (trialStarted) {
            trialStarted(++trials);
        }
        return EncodeHeld(WithSettings(job, settings), model, selection, seed, progress, ops);
    });
    held.result = std::move(fit.result);
    if (held.result.Succeeded()) {
        held.made = WithSettings(job, fit.settings);
        held.bytes = fit.file.Size();
        held.file = std::move(fit.file);
    }
    return held;
}

ExportResult ExportPlainly(const ExportJob& job, const Model& model,
                           const SelectionState& selection, std::uint32_t seed,
                           ExportProgress& progress, const FileOps& ops) {
    Scene scene(model, selection, seed);
    return ExportAs(job.format, scene.scene.View(), job.request, progress, ops, job.compression);
}

}  // namespace zef
