#include "ExportSession.h"

#include <utility>

#include <filesystem>
#include <system_error>

#include "AppTexts.h"
#include "ClipboardCache.h"
#include "ExportFormats.h"
#include "ExportRules.h"
#include "Exporters.h"
#include "PrivateFolder.h"
#include "ReplaceQuestion.h"

namespace zef {

// The view's progress for the export, with the export-running flag set for the whole run,
// whichever way it ends, the frames' reports going to the editor, and a cancel asked for by
// the user or by the program's end.
class ExportSession::Progress : public ExportProgress {
  public:
    Progress(ExportSession& session, ExportView& view) : session_(session), view_(view) {
        session_.parts_.exportRunning = true;
    }
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;
    ~Progress() override { session_.parts_.exportRunning = false; }

    void SetStatusText(const std::string& text) override { view_.SetStatusText(text); }
    void SetProgressRange(std::int32_t low, std::int32_t high) override {
        view_.SetProgressRange(low, high);
    }
    void StepProgress() override { view_.StepProgress(); }
    void PumpOneEvent() override { view_.PumpOneEvent(); }
    void FrameRendered(const RenderReport& report) override { session_.parts_.reportFrame(report); }
    bool CancelRequested() const override {
        return session_.cancelRequested_ || session_.parts_.programEnding;
    }

  private:
    ExportSession& session_;
    ExportView& view_;
};

namespace {

std::uint32_t SeedFrom(Random& random) {
    const auto high = static_cast<std::uint32_t>(random.Next());
    return high << 15 | static_cast<std::uint32_t>(random.Next());
}

}  // namespace

ExportSession::ExportSession(ExportSessionParts parts, Shell& shell, ExportFormat format)
    : parts_(std::move(parts)),
      shell_(shell),
      format_(format),
      seed_(SeedFrom(parts_.random)),
      playback_(parts_.model, seed_),
      background_(parts_.model, parts_.selection, seed_) {}

ExportForm ExportSession::OpeningForm() {
    return zef::OpeningForm(parts_.options, format_, parts_.model);
}

std::string ExportSession::ModelWidth() const {
    return std::to_string(parts_.model.properties.canvasWidth);
}

std::string ExportSession::ModelHeight() const {
    return std::to_string(parts_.model.properties.canvasHeight);
}

ExportPreview ExportSession::Preview(const ExportForm& form) const {
    return PreviewOf(form, format_, parts_.model);
}

bool ExportSession::FormChanged(const ExportForm& form, const std::string& limit) {
    form_ = form;
    limit_ = ParseByteLimit(limit);
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
    if (job_) {
        return SummaryOf(background_.Status(), *job_);
    }
    if (format_ != ExportFormat::kBmp || !form_) {
        return {};
    }
    const ModelProperties& model = parts_.model.properties;
    const std::optional<BmpSequenceBytes> bytes = BmpSequenceSize(
        form_->kind, form_->endWait, form_->smoothness, parts_.model.TotalPathLength(),
        model.vtrSpeed, form_->width, form_->height);
    const std::string count = Preview(*form_).count;
    return bytes ? SequenceSummary(count, bytes->most) : PaneSummary{};
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
    return ExportJob{.format = format, .request = *request, .byteLimit = limit_};
}

std::optional<std::string> ExportSession::OtherSide(std::string_view typed, bool widthTyped) const {
    const ModelProperties& model = parts_.model.properties;
    const std::optional<std::int64_t> side =
        ProportionalSide(typed, widthTyped ? model.canvasWidth : model.canvasHeight,
                         widthTyped ? model.canvasHeight : model.canvasWidth);
    if (!side) {
        return std::nullopt;
    }
    return std::to_string(*side);
}

FileDialog ExportSession::BrowseDialog(const std::string& typed) {
    return zef::BrowseDialog(format_, parts_.fileDialogRecord, typed);
}

void ExportSession::Chose(const std::string& path) {
    parts_.fileDialogRecord.initialDirectory.clear();
    parts_.fileDialogRecord.Chose(path);
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
    StoreAfterExport(parts_.options, request, format_);
    exporting_ = false;
    return SaveEnd::kExported;
}

bool ExportSession::Close(const ExportForm& form) {
    if (exporting_) {
        return false;
    }
    StoreOnCancel(parts_.options, form, format_);
    return true;
}

bool ExportSession::MayReplace(const ExportRequest& request) {
    const std::string first = FirstFileWritten(request, format_);
    return !FileCanBeOpened(first) || AgreesToReplace(shell_, first, ShellWindow::kMain);
}

ExportResult ExportSession::Run(ExportFormat format, const ExportRequest& request,
                                ExportView& view) {
    Progress progress(*this, view);
    if (const std::optional<ExportJob> job = JobFor(request)) {
        return background_.Place(*job, progress);
    }
    parts_.random = Random(seed_);
    return ExportAs(format, {parts_.model, parts_.renderer, parts_.random, parts_.selection},
                    request, progress);
}

}  // namespace zef
