#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "ModelProperties.h"
#include "PointRecord.h"

namespace zef {

// The file a drawing belongs to: its full path (empty for an untitled drawing) and the file
// name the window title shows.
struct DocumentIdentity {
    std::string path;
    std::string title;
};

// One whole state of the model: its nine properties and the persistent image of every
// point in drawing order, the document it belongs to, and whether it is that document's
// saved state (what its file holds, or an untitled drawing as it was made). The selection
// and the modes are not kept.
struct HistorySnapshot {
    ModelProperties properties;
    std::vector<PointImage> points;
    std::size_t document = 0;  // index of the history's document
    bool saved = false;
};

}  // namespace zef
