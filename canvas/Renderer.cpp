#include "canvas/Renderer.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "canvas/OutlineRaster.h"
#include "canvas/ScalePreview.h"
#include "canvas/SegmentPainter.h"

namespace zef {

namespace {

bool IsDrawn(const PointRecord& point) {
    return point.kind == kStrokeStart || point.kind == kStrokeContinuation;
}

// Where a point is drawn: its position, or in scale mode the scale preview of a selected
// point, plus its shake offsets and the pass's offset.
PixelPoint DrawnPosition(const PointRecord& point, const SelectionState& selection,
                         std::int64_t offset) {
    PixelPoint at{point.x, point.y};
    if (selection.scaleMode && point.selected != 0) {
        at = HeldToModelRange(ScaledPosition(point.x, point.y, selection));
    }
    return {at.x + point.shakeDx + offset, at.y + point.shakeDy + offset};
}

// Where the replay stops inside the segment from `previous` to `point`: `remaining` pixels
// from the previous point's shaken position, towards the point's shaken position as seen
// from the previous point's raw position.
PixelPoint PartialEnd(const PointRecord& previous, const PointRecord& point, double remaining,
                      std::int64_t offset) {
    const double angle = std::atan2(static_cast<double>(point.y) + point.shakeDy - previous.y,
                                    static_cast<double>(point.x) + point.shakeDx - previous.x);
    return {std::int64_t{previous.x} + previous.shakeDx +
                static_cast<std::int64_t>(remaining * std::cos(angle)) + offset,
            std::int64_t{previous.y} + previous.shakeDy +
                static_cast<std::int64_t>(remaining * std::sin(angle)) + offset};
}

}  // namespace

void Renderer::SetColourSlot(ModelProperties& properties, int slot, std::uint8_t red,
                             std::uint8_t green, std::uint8_t blue, std::int32_t width) {
    pens_.SetColourSlot(properties, slot, Colour{red, green, blue}, width);
}

void Renderer::ApplyColourSlots(ModelProperties& properties) {
    const ModelProperties from = properties;
    const Colour colours[] = {from.lineColour, from.shadowColour, from.backgroundColour};
    for (int slot = 0; slot < 3; ++slot) {
        pens_.SetColourSlot(properties, slot, colours[slot], from.lineWidth);
    }
}

RenderReport Renderer::RenderModel(Model& model, const SelectionState& selection) {
    const ModelProperties& properties = model.properties;
    bitmap_.FillRectangle(0, 0, properties.canvasWidth, properties.canvasHeight,
                          pens_.Background());
    // noShadow 0 (or below) draws the shadow pass and then the line pass, 1 the line pass
    // only, 2 and above nothing.
    const int firstPass = std::max(properties.noShadow, 0);
    bool reachedEnd = true;
    for (int pass = firstPass; pass <= 1; ++pass) {
        const bool shadow = pass == 0;
        const Pen& pen = shadow ? pens_.Shadow() : pens_.Line();
        reachedEnd = DrawPass(model, selection, pen, shadow ? properties.lineWidth / 2 : 0,
                              RunTable(shadow ? kShadowRuns : kLineRuns, pen.width));
    }
    if (!vtrMode_) {
        if (firstPass <= 1) {
            model.document.drawnPointCount = static_cast<std::int32_t>(std::min<std::size_t>(
                model.points.size(), std::numeric_limits<std::int32_t>::max()));
        }
        return {};
    }
    if (!reachedEnd) {
        const std::uint64_t grown =
            std::uint64_t{replayLength_} + static_cast<std::uint32_t>(CanvasReplayStep(properties));
        replayLength_ = static_cast<std::uint32_t>(
            std::min<std::uint64_t>(grown, std::numeric_limits<std::uint32_t>::max()));
        return {.stepProgressBar = true, .replayCompleted = false};
    }
    vtrMode_ = false;
    return {.stepProgressBar = true, .replayCompleted = true};
}

bool Renderer::DrawPass(const Model& model, const SelectionState& selection, const Pen& pen,
                        std::int64_t offset, const SegmentRunTable* runs) {
    const std::vector<PointRecord>& points = model.points;
    SegmentPainter painter(bitmap_, pen, runs, SegmentPainter::Painting::kOverlapped);
    double drawnLength = 0.0;
    bool penPlaced = false;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const PointRecord& point = points[i];
        if (!IsDrawn(point)) {
            continue;
        }
        const PixelPoint at = DrawnPosition(point, selection, offset);
        // A continuation before any drawn point (at the head, or after records of other kinds
        // only) has nothing to draw from: the pen starts there.
        const bool drawsLine = point.kind == kStrokeContinuation && penPlaced;
        // The replay charges every continuation that has a point before it, as the model's
        // total path length counts it.
        if (vtrMode_ && point.kind == kStrokeContinuation && i > 0) {
            const PointRecord& previous = points[i - 1];
            const double length = SegmentLength(previous, point);
            if (!(drawnLength + length < replayLength_)) {
                if (drawsLine) {
                    painter.LineTo(
                        PartialEnd(previous, point, replayLength_ - drawnLength, offset));
                }
                return false;
            }
            drawnLength += length;
        }
        if (drawsLine) {
            painter.LineTo(at);
        } else {
            painter.MoveTo(at);
            penPlaced = true;
        }
    }
    return true;
}

const SegmentRunTable* Renderer::RunTable(std::size_t use, std::int32_t width) {
    if (width < 2 || width > SegmentRunTable::kMaxWidth) {
        return nullptr;
    }
    std::optional<SegmentRunTable>& runs = runTables_[use];
    if (!runs || runs->Width() != width) {
        runs.emplace(width);
    }
    return &*runs;
}

void Renderer::DrawOverlays(const Model& model, const SelectionState& selection,
                            const InteractionState& interaction) {
    if (vtrMode_) {
        return;
    }
    if (interaction.dragInProgress && !selection.moveMode && !selection.scaleMode) {
        DrawRubberBand(model, interaction);
    }
    DrawSelectionHighlight(model, selection);
}

void Renderer::DrawRubberBand(const Model& model, const InteractionState& interaction) {
    const PixelPoint anchor{interaction.anchor.x, interaction.anchor.y};
    const PixelPoint cursor{interaction.cursorSample.x, interaction.cursorSample.y};
    switch (interaction.tool) {
        case Tool::kStraightLine:
        case Tool::kCurve:
            if (!model.points.empty()) {
                const PointRecord& tail = model.points.back();
                DrawSegment(bitmap_, {tail.x, tail.y}, cursor, pens_.Red());
            }
            break;
        case Tool::kRectangle:
        case Tool::kFilledRectangle:
            DrawRectangleOutline(bitmap_, anchor, cursor, pens_.Red());
            break;
        case Tool::kEllipse:
        case Tool::kFilledEllipse:
            DrawEllipseOutline(bitmap_, anchor, cursor, pens_.Red());
            break;
        case Tool::kRangeSelection:
            DrawDottedRectangle(bitmap_, anchor, cursor, pens_.Dotted().colour);
            break;
    }
}

// Selected segments show as red lines, selected points without a selected neighbour in their
// stroke as red dots two pixels wider than the line.
void Renderer::DrawSelectionHighlight(const Model& model, const SelectionState& selection) {
    const std::vector<PointRecord>& points = model.points;
    SegmentPainter line(bitmap_, pens_.Red(), RunTable(kHighlightRuns, pens_.Red().width));
    SegmentPainter dot(bitmap_, pens_.WideRed());
    for (std::size_t i = 0; i < points.size(); ++i) {
        const PointRecord& point = points[i];
        if (point.selected == 0) {
            continue;
        }
        PixelPoint at = selection.scaleMode ? ScaledPosition(point.x, point.y, selection)
                                            : PixelPoint{point.x, point.y};
        at = {at.x + point.shakeDx, at.y + point.shakeDy};
        const bool joinsPrevious =
            i > 0 && points[i - 1].selected != 0 && point.kind != kStrokeStart;
        if (joinsPrevious) {
            line.LineTo(at);
            continue;
        }
        line.MoveTo(at);
        // The head leaves its dot out whenever the next point is selected.
        const bool nextJoins = i + 1 < points.size() && points[i + 1].selected != 0 &&
                               (i == 0 || points[i + 1].kind != kStrokeStart);
        if (!nextJoins) {
            dot.MoveTo(at);
            dot.LineTo(at);
        }
    }
}

void Renderer::StartReplay() {
    vtrMode_ = true;
    replayLength_ = 0;
}

void Renderer::StopReplay() {
    vtrMode_ = false;
}

}  // namespace zef
