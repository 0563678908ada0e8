#pragma once

// Deterministic models for the benchmarks.

#include <cmath>
#include <cstdint>

#include "model/Model.h"
#include "model/Random.h"

namespace zef::bench {

// `count` points in strokes of 2 to 60 points, each stroke starting anywhere on the 800 x 600
// canvas and going on in segments of 3 to 30 pixels in any direction, turned back at the
// canvas edges; shake offsets of up to 3 pixels, the shadow drawn, lines `lineWidth` wide.
inline Model MakeStrokeModel(int count, std::int32_t lineWidth = 4) {
    Model model;
    model.properties.lineWidth = lineWidth;
    model.properties.shakeStrength = 3;
    model.properties.noShadow = 0;
    Random random(2024);
    model.points.reserve(static_cast<std::size_t>(count));
    const auto fold = [](int value, int size) {
        value = value < 0 ? -value : value;
        return value >= size ? 2 * (size - 1) - value : value;
    };
    int x = 0;
    int y = 0;
    int left = 0;
    for (int i = 0; i < count; ++i) {
        PointRecord point;
        if (left == 0) {
            left = 2 + random.Next() % 59;
            x = random.Next() % 800;
            y = random.Next() % 600;
            point.kind = kStrokeStart;
        } else {
            const double length = 3 + random.Next() % 28;
            const double angle = (random.Next() % 360) * 3.141592 / 180;
            x = fold(x + static_cast<int>(length * std::cos(angle)), 800);
            y = fold(y + static_cast<int>(length * std::sin(angle)), 600);
            point.kind = kStrokeContinuation;
        }
        --left;
        point.x = x;
        point.y = y;
        model.points.push_back(point);
    }
    model.RegenerateShake(random);
    return model;
}

}  // namespace zef::bench
