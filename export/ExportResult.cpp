#include "ExportResult.h"

#include "ExportTexts.h"

namespace zef {
namespace {

// A format's texts: the three memory messages, success and failure.
struct OutcomeTexts {
    const char* noWorkBuffer;
    const char* noFrameStore;
    const char* noAnimationInfo;
    const char* saved;
    const char* failed;
};

OutcomeTexts TextsOf(ExportFormat format) {
    switch (format) {
        case ExportFormat::kGif:
            break;
        case ExportFormat::kWebp:
            return {texts::kWebpNoWorkBuffer, texts::kWebpNoFrameStore, texts::kWebpNoAnimationInfo,
                    texts::kWebpSaved, texts::kWebpFailed};
        case ExportFormat::kMp4:
            return {texts::kMp4NoWorkBuffer, texts::kMp4NoWorkBuffer, texts::kMp4NoWorkBuffer,
                    texts::kMp4Saved, texts::kMp4Failed};
        case ExportFormat::kWebm:
            return {texts::kWebmNoWorkBuffer, texts::kWebmNoWorkBuffer, texts::kWebmNoWorkBuffer,
                    texts::kWebmSaved, texts::kWebmFailed};
        case ExportFormat::kApng:
            return {texts::kApngNoWorkBuffer, texts::kApngNoFrameStore, texts::kApngNoAnimationInfo,
                    texts::kApngSaved, texts::kApngFailed};
        case ExportFormat::kBmp:
            return {texts::kBmpNoWorkBuffer, texts::kBmpNoWorkBuffer, texts::kBmpNoWorkBuffer,
                    texts::kBmpSaved, texts::kBmpFailed};
    }
    return {texts::kGifNoWorkBuffer, texts::kGifNoFrameStore, texts::kGifNoAnimationInfo,
            texts::kGifSaved, texts::kGifFailed};
}

}  // namespace

const char* MemoryMessage(ExportOutcome outcome, ExportFormat format) {
    const OutcomeTexts texts = TextsOf(format);
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
            break;
    }
    return nullptr;
}

const char* ClosingMessage(ExportOutcome outcome, ExportFormat format) {
    if (outcome == ExportOutcome::kCancelled) {
        return texts::kExportCancelled;
    }
    const OutcomeTexts texts = TextsOf(format);
    return outcome == ExportOutcome::kDone ? texts.saved : texts.failed;
}

}  // namespace zef
