#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "export/ExportProgress.h"
#include "export/ExportResult.h"
#include "export/HeldExport.h"
#include "model/Model.h"
#include "model/SelectionState.h"

namespace zef {

enum class BackgroundState { kIdle, kRunning, kReady, kFailed, kNothingFits };

// What the export dialog shows of the file being made for its options.
struct BackgroundStatus {
    BackgroundState state = BackgroundState::kIdle;
    // While running: the progress of the encode in hand, as an export sets its bar (an
    // anti-aliased GIF or APNG goes over its frames twice), and under a byte limit which trial
    // encode it is, from 1.
    std::int64_t done = 0;
    std::int64_t total = 0;
    std::string text;  // the status text the encode in hand shows last
    std::size_t trial = 0;
    // Once ready: the file's exact size in bytes, its frames and how long it plays once, and
    // the output size and quality it was made at (a byte limit's choice). The quality is a lossy
    // WebP's (0..100) or a video's CRF; none for the other formats, and for a video made at
    // its format's own (kMp4Quality, kWebmQuality).
    std::uint64_t bytes = 0;
    std::int64_t frames = 0;
    std::int64_t durationMs = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::optional<std::int32_t> quality;
    // Once failed: why, as an export tells it.
    ExportResult failure;
};

// The file an export dialog's options make, written on a thread of its own while the dialog is
// open, so that its exact size shows before OK and OK only links it in (HeldFile.h). It works
// on a copy of the editor's model taken when the dialog opens and a seed drawn then, so the
// file placed is the one measured whatever the editor does meanwhile; every encode starts its
// random generator from the seed. The file is made beside the job's path; where its folder is
// missing or takes no new file it is made in the temporary folder, only to be measured, and
// Place writes it the ordinary way. A BMP sequence is not made here (see BmpSequenceSize,
// ExportRules.h). Every member is called from the dialog's thread.
class BackgroundExport {
  public:
    BackgroundExport(const Model& model, const SelectionState& selection, std::uint32_t seed);
    BackgroundExport(const BackgroundExport&) = delete;
    BackgroundExport& operator=(const BackgroundExport&) = delete;
    // Gives up the work in flight, waits for it and drops the file held.
    ~BackgroundExport();

    // Starts making the job's file. Work in flight for another job is given up without being
    // waited for: it stops after the frame in hand, and its result never shows.
    void Start(const ExportJob& job);
    // Gives up the work in flight and drops the file held, without waiting.
    void Stop();
    // A snapshot, taken under the worker's lock, as often as a timer likes.
    BackgroundStatus Status() const;
    // Whether the file ready was made for the job (the same options and path) and lies beside
    // its path, so that Place only links it in.
    bool Holds(const ExportJob& job) const;
    // Writes the job's file at its path as the exports do: the file held for it linked into
    // place; otherwise, after waiting for the job (started now unless it runs), with its
    // progress shown through `progress` and its Cancel honoured, the file made then, or written
    // the ordinary way where it could not be made beside its path. Nothing is held afterwards.
    // The progress hears the frames' reports to the replay as from an export of its own.
    ExportResult Place(const ExportJob& job, ExportProgress& progress);
    // Writes a copy of the file ready for the job at `path`, atomically. False when no file is
    // ready for the job or the copy fails.
    bool CopyTo(const ExportJob& job, const std::string& path) const;

  private:
    struct Work;

    static void Run(Work& work, const Model& model, const SelectionState& selection,
                    std::uint32_t seed);
    static void HandOnReplay(const Work& work, ExportProgress& progress, bool givenUp);
    static BackgroundStatus StatusOf(const Work& work);
    // Waits for the work, showing its progress; false when the user cancelled.
    static bool Wait(const Work& work, ExportProgress& progress);
    void JoinEnded();

    const Model model_;
    const SelectionState selection_;
    const std::uint32_t seed_;
    std::shared_ptr<Work> current_;
    std::thread thread_;
    std::vector<std::pair<std::thread, std::shared_ptr<Work>>> retired_;
};

}  // namespace zef
