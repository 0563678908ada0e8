#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

#include "model/Model.h"

namespace zef::test {

// A point as the tests write it: position, kind and selection.
struct P {
    std::int32_t x;
    std::int32_t y;
    std::uint8_t kind = kStrokeContinuation;
    bool selected = false;
    friend bool operator==(const P&, const P&) = default;
};

inline constexpr std::uint8_t S = kStrokeStart;

inline void PrintTo(const P& p, std::ostream* os) {
    *os << "(" << p.x << ", " << p.y << (p.kind == kStrokeStart ? ", start" : "")
        << (p.selected ? ", selected" : "") << ")";
}

inline Model ModelOf(const std::vector<P>& points) {
    Model model;
    for (const P& p : points) {
        model.points.push_back({{p.x, p.y, p.kind, 0, 0, 0}, p.selected});
    }
    return model;
}

inline std::vector<P> PointsOf(const Model& model) {
    std::vector<P> points;
    for (const PointRecord& r : model.points) {
        points.push_back({r.x, r.y, r.kind, r.selected == 1});
    }
    return points;
}

}  // namespace zef::test
