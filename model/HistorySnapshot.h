#pragma once

#include <vector>

#include "ModelProperties.h"
#include "PointRecord.h"

namespace zef {

// One whole state of the model: its nine properties and the persistent image of every
// point in drawing order. The selection, the modes and the document state are not kept.
struct HistorySnapshot {
    ModelProperties properties;
    std::vector<PointImage> points;
};

}  // namespace zef
