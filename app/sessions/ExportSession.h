#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/sessions/BackgroundExport.h"
#include "app/sessions/ExportDialogRules.h"
#include "app/sessions/ExportHost.h"
#include "app/sessions/PaneSummary.h"
#include "app/sessions/PreviewPlayback.h"
#include "app/shell/FileDialog.h"
#include "app/shell/Shell.h"
#include "canvas/RenderReport.h"
#include "export/ExportFormat.h"
#include "export/ExportProgress.h"
#include "export/ExportResult.h"

namespace zef {

class ExportSession;

// What an export dialog shows for its session: the export's progress (its status text and
// progress bar, and a round of waiting events once a frame and around the export), the
// messages it owns (with an OK button), and its controls disabled for the export. The
// session answers for the rest of the export's progress: the frames' reports go to the
// editor, and the export stops on the user's Cancel or the program's end.
class ExportView : public ExportProgress {
  public:
    virtual void ShowMessage(std::string_view text) = 0;
    virtual void DisableControls() = 0;

    void FrameRendered(const RenderReport& report) final;
    bool CancelRequested() const final;

  protected:
    // The view of `session`'s exports; the session may be made after the view.
    explicit ExportView(ExportSession& session) : session_(session) {}

  private:
    ExportSession& session_;
};

// How Save left the dialog: open (a refused field or No to the overwrite question), to be
// closed as Cancel closes it (the export was cancelled), or to be closed after the export.
enum class SaveEnd { kStay, kCancelled, kExported };

// One run of the GIF (which writes WebP files too) or BMP export dialog on the editor's model.
class ExportSession {
  public:
    ExportSession(ExportHost& host, Shell& shell, ExportFormat format);

    // The form the dialog opens with (OpeningForm); the GIF dialog turns a remembered still
    // image into shaking.
    ExportForm OpeningForm();
    // The model's canvas size as the size labels and Restore size show it.
    std::string ModelWidth() const;
    std::string ModelHeight() const;
    ExportPreview Preview(const ExportForm& form) const;
    // Plays the animation as the form would write it once the form describes an export, and
    // makes its file in the background (not a BMP sequence's) under `limit`, a byte limit as
    // typed ("500KB"; empty for none, ignored when it reads as none); the same export again
    // goes on. True when the playing starts anew.
    bool FormChanged(const ExportForm& form, const std::string& limit = {});
    PreviewPlayback& Playback() { return playback_; }
    // What the pane says of the file the form makes.
    PaneSummary Summary() const;
    // A file to hand to the clipboard or a drag, with its media types: a copy of the file ready
    // for the form, in the clipboard cache under the name the path field ends in; nothing while
    // none is ready.
    struct HandedFile {
        std::string path;
        std::array<std::string_view, 2> mediaTypes;
    };
    std::optional<HandedFile> FileToHandOn(const std::string& shownPath);
    // The text the other side edit takes while the user types `typed` into the width (or the
    // height) edit, keeping the model's ratio; nothing when the typed text is not a number.
    std::optional<std::string> OtherSide(std::string_view typed, bool widthTyped) const;

    // The save dialog Browse shows, and the path the user chose in it.
    FileDialog BrowseDialog(const std::string& typed);
    void Chose(const std::string& path);

    // Checks the form (a refused field's message goes to the view), asks before replacing
    // the first file the export writes, runs the export with the view's progress, then shows
    // the memory message (owned by the main window), brings the main window to the front and
    // shows the closing message; the options are remembered after an export that ran out.
    SaveEnd Save(const ExportForm& form, ExportView& view);
    // From the start of Save's export to its end.
    bool Exporting() const { return exporting_; }
    // Cancel during an export: the export stops after the frame in hand.
    void RequestCancel() { cancelRequested_ = true; }
    // Cancel, the close box and Escape: false while an export runs; otherwise the options
    // as the form shows them are remembered and the dialog may close.
    bool Close(const ExportForm& form);

  private:
    friend class ExportView;

    // True when the first file the export writes is not there to be read, or the user
    // agrees to replace it.
    bool MayReplace(const ExportRequest& request);
    // The most a BMP sequence of the form takes, with its frame count.
    PaneSummary SequenceSummaryOf(const ExportForm& form) const;
    // The file the background makes for a request: none for a BMP sequence.
    std::optional<ExportJob> JobFor(const std::optional<ExportRequest>& request) const;
    ExportResult Run(ExportFormat format, const ExportRequest& request, ExportView& view);

    ExportHost& host_;
    Shell& shell_;
    const ExportFormat format_;
    // The jitter of the preview and the file, drawn when the dialog opens.
    const std::uint32_t seed_;
    PreviewPlayback playback_;
    std::optional<ExportRequest> playing_;
    BackgroundExport background_;
    // What the background makes: the form's file under the limit; none for a BMP sequence, a
    // form without a path or one whose fields do not read as numbers.
    std::optional<ExportJob> job_;
    std::optional<std::uint64_t> limit_;
    // What the pane says of a BMP sequence, worked out when the form changes.
    PaneSummary sequence_;
    bool exporting_ = false;
    bool cancelRequested_ = false;
};

}  // namespace zef
