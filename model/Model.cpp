#include "model/Model.h"

#include <algorithm>
#include <new>

namespace zef {

AppendResult Model::AppendPoint(std::int32_t x, std::int32_t y, bool connect) {
    if (!points.empty() && points.back().x == x && points.back().y == y) {
        return AppendResult::kUnchanged;
    }
    PointRecord point;
    point.x = x;
    point.y = y;
    point.kind = connect ? kStrokeContinuation : kStrokeStart;
    if (!connect && !points.empty() && points.back().kind == kStrokeStart) {
        point.reserved = points.back().reserved;
        points.back() = point;
    } else {
        try {
            points.push_back(point);
        } catch (const std::bad_alloc&) {
            return AppendResult::kOutOfMemory;
        }
    }
    document.modified = true;
    return AppendResult::kAppended;
}

void Model::ClearPoints() {
    points.clear();
}

// The points are rebuilt where they are when they fit, which needs no memory.
bool Model::ReplacePoints(std::span<const PointImage> images) {
    const auto record = [](const PointImage& image) { return PointRecord{image}; };
    if (images.size() <= points.capacity()) {
        points.resize(images.size());
        std::transform(images.begin(), images.end(), points.begin(), record);
        return true;
    }
    std::vector<PointRecord> rebuilt;
    try {
        rebuilt.resize(images.size());
    } catch (const std::bad_alloc&) {
        return false;
    }
    std::transform(images.begin(), images.end(), rebuilt.begin(), record);
    points = std::move(rebuilt);
    return true;
}

void Model::RegenerateShake(Random& random) {
    if (document.shakingOn != 1) {
        for (PointRecord& point : points) {
            point.shakeDx = 0;
            point.shakeDy = 0;
        }
        return;
    }
    const int strength = std::clamp(properties.shakeStrength, 0, 127);
    const int span = 2 * strength + 1;
    for (PointRecord& point : points) {
        point.shakeDx = static_cast<std::int8_t>(random.Next() % span - strength);
        point.shakeDy = static_cast<std::int8_t>(random.Next() % span - strength);
    }
}

double Model::TotalPathLength() const {
    double total = 0.0;
    for (std::size_t i = 1; i < points.size(); ++i) {
        if (points[i].kind == kStrokeContinuation) {
            total += SegmentLength(points[i - 1], points[i]);
        }
    }
    return total;
}

}  // namespace zef
