#include "model/EditCommands.h"

#include <algorithm>
#include <cmath>

#include "model/ScaleTransform.h"

namespace zef {

namespace {

constexpr double kDegreesPerRadian = 57.29579143313326;  // 180 / 3.141592
constexpr int kStraightenAngle = 20;
constexpr double kStraightenReachSquared = 100.0 * 100.0;
constexpr double kTanWideTurn = 0.42447481620960476;   // tan(23 degrees)
constexpr double kTanNarrowTurn = 0.3057306814586604;  // tan(17 degrees)

std::int32_t HoldCoordinate(std::int64_t value) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(value, -kCoordinateLimit, kCoordinateLimit));
}

// Truncates toward zero; the value is held to the limits first, so that any value converts.
std::int32_t HoldCoordinate(double value) {
    const double limit = static_cast<double>(kCoordinateLimit);
    return static_cast<std::int32_t>(std::clamp(value, -limit, limit));
}

// The direction from `from` to `to` in whole degrees, truncated toward zero.
int Direction(const PointRecord& from, const PointRecord& to) {
    const double dy = static_cast<double>(to.y) - from.y;
    const double dx = static_cast<double>(to.x) - from.x;
    return static_cast<int>(std::atan2(dy, dx) * kDegreesPerRadian);
}

// The squared distance; its root is at most 100 exactly when it is at most 10000.
double SquaredDistance(const PointRecord& a, const PointRecord& b) {
    const double dx = static_cast<double>(b.x) - a.x;
    const double dy = static_cast<double>(b.y) - a.y;
    return dx * dx + dy * dy;
}

// How far a corner turns, where that alone decides straightening: each whole-degree
// direction lies within a degree of the real one, so their difference lies within two
// degrees of the real turn. A turn above 23 degrees keeps the corner and one below 17 removes
// it, unless both sides point leftward, where the directions may lie on either side of 180
// and count as far apart. Only the turns left over need the two arc tangents.
enum class Turn { kWide, kNarrow, kUndecided };

Turn ClassifyTurn(const PointRecord& p, const PointRecord& c, const PointRecord& n) {
    const double ux = static_cast<double>(c.x) - p.x;
    const double uy = static_cast<double>(c.y) - p.y;
    const double vx = static_cast<double>(n.x) - c.x;
    const double vy = static_cast<double>(n.y) - c.y;
    if ((ux == 0 && uy == 0) || (vx == 0 && vy == 0)) {
        return Turn::kUndecided;
    }
    const double dot = ux * vx + uy * vy;
    const double cross = std::abs(ux * vy - uy * vx);
    if (dot <= 0 || cross > kTanWideTurn * dot) {
        return Turn::kWide;
    }
    if (cross < kTanNarrowTurn * dot && (ux >= 0 || vx >= 0)) {
        return Turn::kNarrow;
    }
    return Turn::kUndecided;
}

// Whether straightening removes the corner at `c` between `p` and `n`.
bool Straightens(const PointRecord& p, const PointRecord& c, const PointRecord& n) {
    if (SquaredDistance(p, n) > kStraightenReachSquared) {
        return false;
    }
    switch (ClassifyTurn(p, c, n)) {
        case Turn::kWide:
            return false;
        case Turn::kNarrow:
            return true;
        case Turn::kUndecided:
            break;
    }
    return std::abs(Direction(p, c) - Direction(c, n)) < kStraightenAngle;
}

// Drops the tail and any stroke starts it leaves at the end of the first `count` points;
// returns the number of points that remain.
std::size_t DropLastLine(const std::vector<PointRecord>& points, std::size_t count) {
    --count;
    while (count > 0 && points[count - 1].kind == kStrokeStart) {
        --count;
    }
    return count;
}

}  // namespace

EditResult SelectAll(Model& model, SelectionState& selection) {
    for (PointRecord& point : model.points) {
        point.selected = 1;
    }
    selection.selectionExists = true;
    return {.refreshToolbar = true};
}

EditResult DeselectAll(Model& model, SelectionState& selection) {
    for (PointRecord& point : model.points) {
        point.selected = 0;
    }
    selection.moveMode = false;
    selection.scaleMode = false;
    selection.selectionExists = false;
    return {.refreshToolbar = true};
}

EditResult InvertSelection(Model& model, SelectionState& selection) {
    selection.selectionExists = false;
    for (PointRecord& point : model.points) {
        point.selected = point.selected == 0 ? 1 : 0;
        if (point.selected == 1) {
            selection.selectionExists = true;
        }
    }
    return {.refreshToolbar = true};
}

// The points are compacted in place: points[0, kept) is the list as edited so far, and its
// last element is the point before the one being looked at.
EditResult DeleteSelectedSegments(Model& model, SelectionState& selection) {
    std::vector<PointRecord>& points = model.points;
    const std::size_t count = points.size();
    std::size_t kept = 0;
    for (std::size_t i = 0; i < count; ++i) {
        PointRecord point = points[i];
        const bool qualifies = point.selected == 1 && point.kind == kStrokeContinuation &&
                               kept > 0 && points[kept - 1].selected == 1;
        if (!qualifies) {
            points[kept++] = point;
            continue;
        }
        model.document.modified = true;
        if (i + 1 == count) {
            points[kept++] = point;
            kept = DropLastLine(points, kept);
            break;
        }
        const bool previousIsStart = points[kept - 1].kind == kStrokeStart;
        if (previousIsStart) {
            --kept;
        }
        if (points[i + 1].kind != kStrokeStart) {
            point.kind = kStrokeStart;
            points[kept++] = point;
        }
    }
    points.resize(kept);
    EditResult result = DeselectAll(model, selection);
    result.snapshot = true;
    return result;
}

EditResult StraightenSelection(Model& model) {
    std::vector<PointRecord>& points = model.points;
    const std::size_t count = points.size();
    std::size_t kept = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const PointRecord point = points[i];
        if (point.selected == 1 && point.kind == kStrokeContinuation && kept > 0 && i + 1 < count &&
            points[i + 1].kind == kStrokeContinuation &&
            Straightens(points[kept - 1], point, points[i + 1])) {
            continue;
        }
        points[kept++] = point;
    }
    points.resize(kept);
    model.document.modified = true;
    return {.snapshot = true};
}

EditResult RemoveLastLine(Model& model) {
    if (model.points.empty()) {
        return {.snapshot = true};
    }
    model.points.resize(DropLastLine(model.points, model.points.size()));
    model.document.modified = true;
    return {.snapshot = true};
}

void MoveSelection(Model& model, const SelectionState& selection, std::int32_t dx,
                   std::int32_t dy) {
    for (PointRecord& point : model.points) {
        if (point.selected == 1 || selection.moveAll) {
            point.x = HoldCoordinate(std::int64_t{point.x} + dx);
            point.y = HoldCoordinate(std::int64_t{point.y} + dy);
        }
    }
}

void ScaleSelection(Model& model, SelectionState& selection) {
    const double factor = selection.scaleFactor;
    selection.scaleFactor = 1.0f;
    for (PointRecord& point : model.points) {
        if (point.selected != 1) {
            continue;
        }
        const ScaledPoint scaled =
            ScalePoint(point.x, point.y, selection.scaleCentreX, selection.scaleCentreY, factor);
        point.x = HoldCoordinate(scaled.x);
        point.y = HoldCoordinate(scaled.y);
    }
}

}  // namespace zef
