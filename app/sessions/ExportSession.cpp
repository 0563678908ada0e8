#include "app/sessions/ExportSession.h"

#include <filesystem>
#include <system_error>

#include "app/desktop/ClipboardCache.h"
#include "app/desktop/PrivateFolder.h"
#include "app/sessions/ReplaceQuestion.h"
#include "app/shell/AppTexts.h"
#include "export/ExportFormats.h"
#include "export/ExportRules.h"
#include "export/Exporters.h"

namespace zef {

void ExportView::FrameRendered(const RenderReport& report) {
    session_.host_.FrameRendered(report);
}

bool ExportView::CancelRequested() const {
    return session_.cancelRequested_ || session_.host_.ProgramEnding();
}

namespace {

std::uint32_t SeedFrom(Random& random) {
    const auto high = static_cast<std::uint32_t>(random.Next());
    return high << 15 | static_cast<std::uint32_t>(random.Next());
}

}  // namespace

ExportSession::ExportSession(ExportHost& host, Shell& shell, ExportFormat format)
    : host_(host),
      shell_(shell),
      format_(format),
      seed_(SeedFrom(host.Scene().random)),
      playback_(host.Scene().model, seed_),
      background_(host.Scene().model, host.Scene().selection, seed_) {}

ExportForm ExportSession::OpeningForm() {
    return zef::OpeningForm(host_.Options(), format_, host_.Scene().model);
}

std::string ExportSession::ModelWidth() const {
    return std::to_string(host_.Scene().model.properties.canvasWidth);
}

std::string ExportSession::ModelHeight() const {
    return std::to_string(host_.Scene().model.properties.canvasHeight);
}

ExportPreview ExportSession::Preview(const ExportForm& form) const {
    return PreviewOf(form, format_, host_.Scene().model);
}

bool ExportSession::FormChanged(const ExportForm& form, const std::string& limit) {
    limit_ = ParseByteLimit(limit);
    if (format_ == ExportFormat::kBmp) {
        sequence_ = SequenceSummaryOf(form);
    }
    const std::optional<ExportJob> job = JobFor(CheckForSave(form, format_).request);
    if (job != job_) {
        job_ = job;
        if (job_) {
            background_.Start(*job_);
        } else {
            background_.Stop();
        }
    }
    const std::optional<ExportRequest> request = PreviewRequest(form, format_);
    if (!request || request == playing_) {
        return false;
    }
    playing_ = request;
    playback_.Play(FormatWritten(format_, request->path), *request);
    return true;
}

PaneSummary ExportSession::Summary() const {
    return job_ ? SummaryOf(background_.Status(), *job_) : sequence_;
}

PaneSummary ExportSession::SequenceSummaryOf(const ExportForm& form) const {
    const Model& model = host_.Scene().model;
    const std::optional<BmpSequenceBytes> bytes =
        BmpSequenceSize(form.kind, form.endWait, form.smoothness, model.TotalPathLength(),
                        model.properties.vtrSpeed, form.width, form.height);
    return bytes ? SequenceSummary(Preview(form).count, bytes->most) : PaneSummary{};
}

std::optional<ExportSession::HandedFile> ExportSession::FileToHandOn(const std::string& shownPath) {
    if (!job_) {
        return std::nullopt;
    }
    const std::filesystem::path folder = ClipboardCacheFolder();
    std::error_code error;
    std::filesystem::create_directories(folder.parent_path(), error);
    if (!MakePrivateFolder(folder)) {
        return std::nullopt;
    }
    RemoveDayOldFiles(folder);
    const std::string fallback = "zeftool" + std::string(RowOf(job_->format).endings[0]);
    const std::string path = ClipboardCachePath(folder, shownPath, fallback);
    if (!background_.CopyTo(*job_, path)) {
        return std::nullopt;
    }
    return HandedFile{path, RowOf(job_->format).mediaTypes};
}

std::optional<ExportJob> ExportSession::JobFor(const std::optional<ExportRequest>& request) const {
    const ExportFormat format = request ? FormatWritten(format_, request->path) : format_;
    if (!request || format == ExportFormat::kBmp) {
        return std::nullopt;
    }
    return ExportJob{.format = format, .request = *request, .compression = {}, .byteLimit = limit_};
}

std::optional<std::string> ExportSession::OtherSide(std::string_view typed, bool widthTyped) const {
    const ModelProperties& model = host_.Scene().model.properties;
    const std::optional<std::int64_t> side =
        ProportionalSide(typed, widthTyped ? model.canvasWidth : model.canvasHeight,
                         widthTyped ? model.canvasHeight : model.canvasWidth);
    if (!side) {
        return std::nullopt;
    }
    return std::to_string(*side);
}

FileDialog ExportSession::BrowseDialog(const std::string& typed) {
    return zef::BrowseDialog(format_, host_.DialogRecord(), typed);
}

void ExportSession::Chose(const std::string& path) {
    host_.DialogRecord().initialDirectory.clear();
    host_.DialogRecord().Chose(path);
}

SaveEnd ExportSession::Save(const ExportForm& form, ExportView& view) {
    const SaveCheck check = CheckForSave(form, format_);
    if (!check.request) {
        view.ShowMessage(check.message);
        return SaveEnd::kStay;
    }
    const ExportRequest& request = *check.request;
    if (!MayReplace(request)) {
        return SaveEnd::kStay;
    }
    exporting_ = true;
    view.DisableControls();
    view.PumpOneEvent();
    const ExportFormat format = FormatWritten(format_, request.path);
    const ExportResult result = Run(format, request, view);
    if (result.outcome == ExportOutcome::kCancelled) {
        exporting_ = false;
        return SaveEnd::kCancelled;
    }
    if (const char* memory = MemoryMessage(result.outcome, format)) {
        shell_.ShowMessage({memory, texts::kAppCaption, MessageButtons::kOk, MessageIcon::kError,
                            ShellWindow::kMain});
    }
    shell_.BringToForeground();
    view.PumpOneEvent();
    const std::string closing = ClosingMessage(result.outcome, format);
    view.ShowMessage(result.detail.empty() ? closing : closing + "\n\n" + result.detail);
    StoreAfterExport(host_.Options(), request, format_);
    exporting_ = false;
    return SaveEnd::kExported;
}

bool ExportSession::Close(const ExportForm& form) {
    if (exporting_) {
        return false;
    }
    StoreOnCancel(host_.Options(), form, format_);
    return true;
}

bool ExportSession::MayReplace(const ExportRequest& request) {
    const std::string first = FirstFileWritten(request, format_);
    return !FileCanBeOpened(first) || AgreesToReplace(shell_, first, ShellWindow::kMain);
}

ExportResult ExportSession::Run(ExportFormat format, const ExportRequest& request,
                                ExportView& view) {
    const ExportHost::Running running(host_);
    if (const std::optional<ExportJob> job = JobFor(request)) {
        return background_.Place(*job, view);
    }
    const ExportScene scene = host_.Scene();
    scene.random = Random(seed_);
    return ExportAs(format, scene, request, view);
}

}  // namespace zef
