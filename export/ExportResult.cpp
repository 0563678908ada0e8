#include "ExportResult.h"

#include "ExportTexts.h"

namespace zef {

const char* MemoryMessage(ExportOutcome outcome, bool gif) {
    switch (outcome) {
        case ExportOutcome::kNoWorkBuffer:
            return gif ? texts::kGifNoWorkBuffer : texts::kBmpNoWorkBuffer;
        case ExportOutcome::kNoFrameStore:
            return gif ? texts::kGifNoFrameStore : texts::kBmpNoWorkBuffer;
        case ExportOutcome::kNoAnimationInfo:
            return gif ? texts::kGifNoAnimationInfo : texts::kBmpNoWorkBuffer;
        case ExportOutcome::kDone:
        case ExportOutcome::kWriteFailed:
        case ExportOutcome::kCancelled:
            break;
    }
    return nullptr;
}

const char* ClosingMessage(ExportOutcome outcome, bool gif) {
    if (outcome == ExportOutcome::kDone) {
        return gif ? texts::kGifSaved : texts::kBmpSaved;
    }
    if (outcome == ExportOutcome::kCancelled) {
        return texts::kExportCancelled;
    }
    return gif ? texts::kGifFailed : texts::kBmpFailed;
}

}  // namespace zef
