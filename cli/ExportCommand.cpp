#include "cli/ExportCommand.h"

#include "cli/StopSignals.h"
#include "export/ExportFormats.h"
#include "export/ExportRules.h"
#include "export/ExportTexts.h"
#include "export/Exporters.h"
#include "export/HeldExport.h"
#include "export/StandaloneScene.h"
#include "model/ModelFileIO.h"
#include "model/Random.h"

namespace zef {
namespace {

// One line on standard error for every tenth of the frames written; a stop signal cancels.
class TenthsProgress : public ExportProgress {
  public:
    explicit TenthsProgress(std::FILE* errors) : errors_(errors) {}

    void SetStatusText(const std::string&) override {}
    void SetProgressRange(std::int32_t low, std::int32_t high) override {
        total_ = std::int64_t{high} - low;
        done_ = 0;
        printed_ = 0;
    }
    void StepProgress() override {
        ++done_;
        for (const std::int64_t tenth = done_ * 10 / std::max<std::int64_t>(total_, 1);
             printed_ < std::min<std::int64_t>(tenth, 10);) {
            std::fprintf(errors_, "zefcli: %lld%%\n", static_cast<long long>(++printed_ * 10));
        }
    }
    void PumpOneEvent() override {}
    void FrameRendered(const RenderReport&) override {}
    bool CancelRequested() const override { return CaughtStopSignal() != 0; }

  private:
    std::FILE* errors_;
    std::int64_t total_ = 0;
    std::int64_t done_ = 0;
    std::int64_t printed_ = 0;
};

// The largest file under the limit, its trial encodes held back and the chosen one put in
// place; the size and quality chosen are told, or that nothing fits.
ExportResult ExportUnderLimit(const ExportJob& job, const Model& model, std::uint32_t seed,
                              ExportProgress& progress, std::FILE* errors) {
    HeldExport held = ExportHeld(job, model, {}, seed, progress);
    const ExportRequest& made = held.made.request;
    if (held.result.outcome == ExportOutcome::kNothingFits) {
        std::fprintf(errors, "zefcli: no size fits in %llu bytes, down to the smallest\n",
                     static_cast<unsigned long long>(*job.byteLimit));
    } else if (held.result.Succeeded() && !held.file.Place(made.path)) {
        held.result.outcome = ExportOutcome::kWriteFailed;
    } else if (held.result.Succeeded()) {
        const std::optional<std::int32_t> quality = job.format == ExportFormat::kWebp
                                                        ? held.made.compression.lossyQuality
                                                        : made.videoQuality;
        std::fprintf(errors, "zefcli: %dx%d%s%s, %llu bytes\n", made.width, made.height,
                     quality ? ", quality " : "", quality ? std::to_string(*quality).c_str() : "",
                     static_cast<unsigned long long>(held.bytes));
    }
    return held.result;
}

}  // namespace

int RunExport(const ExportArguments& arguments, std::FILE* errors) {
    LoadResult loaded = ReadModelFile(arguments.model, ModelProperties{});
    if (!loaded.model) {
        const std::string_view text = LoadFailureText(loaded.failure);
        std::fprintf(errors, "zefcli: %s: %s\n", arguments.model.c_str(),
                     text.empty() ? "cannot be opened" : std::string(text).c_str());
        return 1;
    }
    if (loaded.model->points.empty()) {
        std::fprintf(errors, "zefcli: %s: %s\n", arguments.model.c_str(), texts::kEmptyModel);
        return 1;
    }
    Model model;
    model.properties = loaded.model->properties;
    model.points = std::move(loaded.model->points);
    const std::uint32_t seed = arguments.seed.value_or(ClockSeed());
    StandaloneScene scene(std::move(model), seed);
    const ModelProperties& properties = scene.model.properties;
    const ExportFormat format = arguments.format;
    const ExportRequest request{ExportPathFor(format, arguments.out),
                                arguments.kind,
                                arguments.width.value_or(properties.canvasWidth),
                                arguments.height.value_or(properties.canvasHeight),
                                arguments.antiAliasing,
                                arguments.transparent,
                                arguments.endWait,
                                FrameDelay(arguments.kind, arguments.smoothness),
                                {},
                                arguments.smallest};
    TenthsProgress progress(errors);
    CatchStopSignals();
    const ExportResult result =
        arguments.maxSize
            ? ExportUnderLimit({format, request, {arguments.lossyQuality}, arguments.maxSize},
                               scene.model, seed, progress, errors)
            : ExportAs(format, scene.View(), request, progress, SystemFileOps(),
                       {arguments.lossyQuality});
    if (result.Succeeded()) {
        return 0;
    }
    if (const char* memory = MemoryMessage(result.outcome, format)) {
        std::fprintf(errors, "zefcli: %s\n", memory);
    }
    std::fprintf(errors, "zefcli: %s: %s\n", request.path.c_str(),
                 ClosingMessage(result.outcome, format));
    if (!result.detail.empty()) {
        std::fprintf(errors, "zefcli: %s\n", result.detail.c_str());
    }
    return result.outcome == ExportOutcome::kCancelled ? 128 + CaughtStopSignal() : 1;
}

}  // namespace zef
