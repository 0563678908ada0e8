#include "export/ExportResult.h"

#include "export/ExportFormats.h"
#include "export/ExportTexts.h"

namespace zef {

const char* MemoryMessage(ExportOutcome outcome, ExportFormat format) {
    const OutcomeTexts& texts = RowOf(format).texts;
    switch (outcome) {
        case ExportOutcome::kNoWorkBuffer:
            return texts.noWorkBuffer;
        case ExportOutcome::kNoFrameStore:
            return texts.noFrameStore;
        case ExportOutcome::kNoAnimationInfo:
            return texts.noAnimationInfo;
        case ExportOutcome::kDone:
        case ExportOutcome::kWriteFailed:
        case ExportOutcome::kCancelled:
        case ExportOutcome::kNothingFits:
            break;
    }
    return nullptr;
}

const char* ClosingMessage(ExportOutcome outcome, ExportFormat format) {
    if (outcome == ExportOutcome::kCancelled) {
        return texts::kExportCancelled;
    }
    if (outcome == ExportOutcome::kNothingFits) {
        return texts::kExportNothingFits;
    }
    const OutcomeTexts& texts = RowOf(format).texts;
    return outcome == ExportOutcome::kDone ? texts.saved : texts.failed;
}

}  // namespace zef
