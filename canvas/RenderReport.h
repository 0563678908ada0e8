#pragma once

namespace zef {

// What a RenderModel frame asks of its caller.
struct RenderReport {
    // A replay frame was drawn: the replay progress bar advances by one step.
    bool stepProgressBar = false;
    // This frame drew the whole model and ended the replay. The renderer has already left
    // replay mode; the caller refreshes the tool mode (progress bar hidden, toolbar back).
    bool replayCompleted = false;
    friend constexpr bool operator==(const RenderReport&, const RenderReport&) = default;
};

}  // namespace zef
