#include "app/sessions/PaneSummary.h"

#include <cstdio>

#include "app/shell/DialogTexts.h"
#include "export/ExportTexts.h"

namespace zef {
namespace {

std::string WithSeparators(std::uint64_t value) {
    const std::string digits = std::to_string(value);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            text += ',';
        }
        text += digits[i];
    }
    return text;
}

std::string Fixed(double value, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

}  // namespace

std::string BytesText(std::uint64_t bytes) {
    const double kb = static_cast<double>(bytes) / 1000;
    const std::string shortly = kb < 1000 ? Fixed(kb, kb < 10 ? 1 : 0) + " KB"
                                          : Fixed(kb / 1000, kb < 10000 ? 2 : 1) + " MB";
    return WithSeparators(bytes) + texts::kPaneBytes + "(" + shortly + ")";
}

PaneSummary SummaryOf(const BackgroundStatus& status, const ExportJob& job) {
    switch (status.state) {
        case BackgroundState::kIdle:
            return {};
        case BackgroundState::kRunning:
            return {status.trial > 1 ? texts::kPaneFitting + std::to_string(status.trial) +
                                           texts::kPaneFittingEnd
                                     : texts::kPaneMeasuring,
                    status.done, status.total, false};
        case BackgroundState::kReady: {
            std::string text = std::to_string(status.frames) + texts::kPaneFrames +
                               Fixed(static_cast<double>(status.durationMs) / 1000, 2) +
                               texts::kPaneSeconds + BytesText(status.bytes) + texts::kPaneIs;
            const FitRange range = FitRangeOf(job);
            const bool qualityGiven =
                status.quality && range.quality && *status.quality != range.quality->best;
            if (status.width != job.request.width || status.height != job.request.height ||
                qualityGiven) {
                text += std::string("\n") + texts::kPaneFitted + std::to_string(status.width) +
                        " × " + std::to_string(status.height) + texts::kPaneFittedEnd;
                if (qualityGiven) {
                    text.pop_back();
                    text += texts::kPaneQuality + std::to_string(*status.quality) + ").";
                }
            }
            return {text, 0, 0, true};
        }
        case BackgroundState::kFailed: {
            // Why, when the export says: its first line (a video's is ffmpeg's messages).
            const std::string& detail = status.failure.detail;
            const std::string why = detail.substr(0, detail.find('\n'));
            return {why.empty() ? texts::kPaneFailed : texts::kPaneFailed + ("\n" + why), 0, 0,
                    false};
        }
        case BackgroundState::kNothingFits:
            return {texts::kExportNothingFits, 0, 0, false};
    }
    return {};
}

PaneSummary SequenceSummary(const std::string& count, std::uint64_t bytes) {
    return {count + texts::kPaneSequenceFrames + BytesText(bytes) + texts::kPaneAtMost, 0, 0,
            false};
}

}  // namespace zef
