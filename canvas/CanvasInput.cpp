#include "canvas/CanvasInput.h"

#include <algorithm>

#include "canvas/RangeSelection.h"
#include "model/EditCommands.h"

namespace zef {

namespace {

constexpr int kCurveMovesPerPoint = 5;  // a curve gains a point after more moves than this
constexpr std::int64_t kCurveReachSquared = 400;  // or when the pointer is 20 pixels away
constexpr float kScalePerPixel = 0.01f;

std::int64_t SquaredDistance(CanvasPoint a, CanvasPoint b) {
    const std::int64_t dx = std::int64_t{b.x} - a.x;
    const std::int64_t dy = std::int64_t{b.y} - a.y;
    return dx * dx + dy * dy;
}

}  // namespace

CanvasInput::CanvasInput(Model& model, SelectionState& selection, InteractionState& interaction,
                         Random& random, CanvasWindow& window, CanvasHost& host)
    : model_(model),
      selection_(selection),
      interaction_(interaction),
      random_(random),
      window_(window),
      host_(host) {}

void CanvasInput::SizeChanged(std::int32_t width, std::int32_t height) {
    model_.properties.canvasWidth = width;
    model_.properties.canvasHeight = height;
    host_.UpdateSizePane();
}

void CanvasInput::MouseMove() {
    host_.UpdateCursor();
    if (host_.VtrMode() || !interaction_.dragInProgress) {
        return;
    }
    const CanvasPoint sample = interaction_.cursorSample;
    if (selection_.scaleMode) {
        const auto pixels = static_cast<float>(std::int64_t{sample.x} - selection_.scaleCentreX);
        selection_.scaleFactor = std::max(1.0f + kScalePerPixel * pixels, 0.0f);
        if (selection_.scaleFactor != 1.0f) {
            MarkModified();
        }
    } else if (selection_.moveMode) {
        MoveSelection(model_, selection_, sample.x - interaction_.anchor.x,
                      sample.y - interaction_.anchor.y);
        interaction_.anchor = sample;
        MarkModified();
    } else if (interaction_.tool == Tool::kCurve) {
        ++interaction_.curveMoveCounter;
        if (interaction_.curveMoveCounter > kCurveMovesPerPoint ||
            SquaredDistance(interaction_.anchor, sample) > kCurveReachSquared) {
            interaction_.curveMoveCounter = 0;
            Append(sample, true);
            interaction_.anchor = sample;
        }
    }
    if (!window_.LeftButtonHeld()) {
        LeftButtonUp();
    }
}

void CanvasInput::LeftButtonDown() {
    host_.UpdateCursor();
    if (host_.VtrMode() || interaction_.dragInProgress) {
        return;
    }
    window_.ConfinePointer(ConfineArea::kCanvasClient);
    const CanvasPoint sample = interaction_.cursorSample;
    if (selection_.scaleMode) {
        selection_.scaleCentreX = sample.x;
        selection_.scaleCentreY = sample.y;
    } else if (selection_.moveMode) {
        interaction_.anchor = sample;
    } else {
        switch (interaction_.tool) {
            case Tool::kStraightLine:
                Append(sample, false);
                break;
            case Tool::kCurve:
                Append(sample, false);
                interaction_.anchor = sample;
                interaction_.curveMoveCounter = 0;
                break;
            case Tool::kRectangle:
            case Tool::kEllipse:
            case Tool::kFilledRectangle:
            case Tool::kFilledEllipse:
                interaction_.anchor = sample;
                break;
            case Tool::kRangeSelection:
                interaction_.anchor = sample;
                if (!window_.CtrlHeld() && !window_.ShiftHeld()) {
                    DeselectAll(model_, selection_);
                    host_.RefreshToolbarState();
                }
                break;
            default:
                break;
        }
    }
    interaction_.dragInProgress = true;
}

void CanvasInput::LeftButtonUp() {
    host_.UpdateCursor();
    window_.ReleasePointer();
    if (selection_.scaleMode) {
        ScaleSelection(model_, selection_);
        host_.TakeSnapshot();
    } else if (selection_.moveMode) {
        host_.TakeSnapshot();
    } else if (interaction_.dragInProgress) {
        EndDrag(interaction_.cursorSample);
    }
    interaction_.dragInProgress = false;
}

void CanvasInput::EndDrag(CanvasPoint sample) {
    const Tool tool = interaction_.tool;
    switch (tool) {
        case Tool::kStraightLine:
        case Tool::kCurve:
            Append(sample, true);
            // A click without moving leaves a lone stroke start; it goes again.
            if (!model_.points.empty() && model_.points.back().kind == kStrokeStart) {
                model_.points.pop_back();
            }
            host_.TakeSnapshot();
            break;
        case Tool::kRectangle:
        case Tool::kFilledRectangle:
            Report(AddRectangle(model_, random_, interaction_.anchor, sample,
                                tool == Tool::kFilledRectangle));
            host_.TakeSnapshot();
            break;
        case Tool::kEllipse:
        case Tool::kFilledEllipse:
            Report(AddEllipse(model_, random_, interaction_.anchor, sample,
                              tool == Tool::kFilledEllipse));
            host_.TakeSnapshot();
            break;
        case Tool::kRangeSelection:
            SelectInRectangle(model_, selection_, interaction_.anchor, sample, window_.ShiftHeld());
            host_.RefreshToolbarState();
            break;
    }
}

void CanvasInput::RightButtonDown() {
    if (interaction_.dragInProgress && interaction_.tool == Tool::kStraightLine) {
        Append(interaction_.cursorSample, true);
    }
}

void CanvasInput::FrameDragStarted() {
    DeselectAll(model_, selection_);
    host_.RefreshToolbarState();
    window_.ConfinePointer(ConfineArea::kMainBetweenBars);
    interaction_.lastFrameDragCursor = window_.PointerScreenPosition();
    selection_.moveAll = true;
}

FrameRect CanvasInput::FrameDragStep(FrameEdge edge, FrameRect proposed) {
    const CanvasSize largest = window_.CanvasWindowOuterSize({kMaxCanvasWidth, kMaxCanvasHeight});
    if (std::int64_t{proposed.right} - proposed.left > largest.width) {
        proposed.right = proposed.left + largest.width;
    }
    if (std::int64_t{proposed.bottom} - proposed.top > largest.height) {
        proposed.bottom = proposed.top + largest.height;
    }
    const CanvasPoint previous = interaction_.lastFrameDragCursor;
    const CanvasPoint cursor = window_.PointerScreenPosition();
    if (DragsLeftEdge(edge)) {
        MoveSelection(model_, selection_, previous.x - cursor.x, 0);
        host_.PaintCanvas();
    }
    if (DragsTopEdge(edge)) {
        MoveSelection(model_, selection_, 0, previous.y - cursor.y);
        host_.PaintCanvas();
    }
    interaction_.lastFrameDragCursor = cursor;
    return proposed;
}

void CanvasInput::FrameDragEnded() {
    host_.FitCanvas(0, 0);
    window_.ReleasePointer();
    host_.TakeSnapshot();
    selection_.moveAll = false;
}

// Moving everything is on exactly while the sizing frame is dragged.
bool CanvasInput::GestureHeld() const {
    return interaction_.dragInProgress || selection_.moveAll;
}

void CanvasInput::Append(CanvasPoint point, bool connect) {
    const AppendResult result = model_.AppendPoint(point.x, point.y, connect);
    Report({.appended = result == AppendResult::kAppended,
            .outOfMemory = result == AppendResult::kOutOfMemory});
}

void CanvasInput::Report(ShapeResult result) {
    if (result.appended) {
        host_.UpdateTitle();
    }
    if (result.outOfMemory) {
        host_.ShowAppendOutOfMemory();
    }
}

void CanvasInput::MarkModified() {
    model_.document.modified = true;
    host_.UpdateTitle();
}

}  // namespace zef
