#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/sessions/BackgroundExport.h"

namespace zef {

// What the export dialog's pane says of the file its options make: a line of text, the bar
// of the work that makes it (hidden while `total` is 0), and whether the file is ready to be
// handed on.
struct PaneSummary {
    std::string text;
    std::int64_t done = 0;
    std::int64_t total = 0;
    bool fileReady = false;
    friend bool operator==(const PaneSummary&, const PaneSummary&) = default;
};

// The summary of the file made in the background for `job`; a byte limit's choice of size or
// quality is told.
PaneSummary SummaryOf(const BackgroundStatus& status, const ExportJob& job);

// The summary of a BMP sequence of `count` frames (as the dialog counts them) whose frames
// take at most `bytes` together, each palette at its largest.
PaneSummary SequenceSummary(const std::string& count, std::uint64_t bytes);

// A byte count as the pane shows it: every digit, and in kilobytes or megabytes of 1,000.
std::string BytesText(std::uint64_t bytes);

}  // namespace zef
