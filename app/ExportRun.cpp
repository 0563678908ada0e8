#include "ExportRun.h"

namespace zef {
namespace {

// The dialog's progress, with the frames' reports going to the editor.
class EditorProgress : public ExportProgress {
  public:
    EditorProgress(Editor& editor, ExportProgress& dialog) : editor_(editor), dialog_(dialog) {
        editor_.SetExportRunning(true);
    }
    EditorProgress(const EditorProgress&) = delete;
    EditorProgress& operator=(const EditorProgress&) = delete;
    ~EditorProgress() override { editor_.SetExportRunning(false); }

    void SetStatusText(const std::string& text) override { dialog_.SetStatusText(text); }
    void SetProgressRange(std::int32_t low, std::int32_t high) override {
        dialog_.SetProgressRange(low, high);
    }
    void StepProgress() override { dialog_.StepProgress(); }
    void PumpOneEvent() override { dialog_.PumpOneEvent(); }
    void FrameRendered(const RenderReport& report) override { editor_.ReportFrame(report); }
    bool CancelRequested() const override { return dialog_.CancelRequested(); }

  private:
    Editor& editor_;
    ExportProgress& dialog_;
};

ExportScene SceneOf(Editor& editor) {
    return {editor.model(), editor.renderer(), editor.random(), editor.selection()};
}

}  // namespace

ExportResult RunExport(Editor& editor, ExportFormat format, const ExportRequest& request,
                       ExportProgress& dialog) {
    EditorProgress progress(editor, dialog);
    const ExportScene scene = SceneOf(editor);
    if (format == ExportFormat::kWebp) {
        return ExportAnimatedWebp(scene, request, progress);
    }
    if (format == ExportFormat::kBmp) {
        return ExportBmpSequence(scene, request, progress);
    }
    return ExportAnimatedGif(scene, request, progress);
}

}  // namespace zef
