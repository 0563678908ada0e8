#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/ModelProperties.h"
#include "model/PointRecord.h"
#include "model/Random.h"

namespace zef {

// What AppendPoint did. The caller updates the title after kAppended and shows
// texts::kAppendOutOfMemory after kOutOfMemory.
enum class AppendResult { kUnchanged, kAppended, kOutOfMemory };

// The document state beside the model; not stored in files. The editor sets the path, the
// title and the modified flag from the history (History.h), which knows them per document.
struct DocumentState {
    bool modified = false;
    std::string path;   // full path of the current file; empty for an untitled model
    std::string title;  // file name shown in the window title
    int shakingOn = 1;
    std::int32_t drawnPointCount = 0;  // points visited by the last complete drawing pass
};

// The document: points in drawing order (which is also the replay order), the model
// properties and the document state.
//
// The model is single-threaded: it is owned by one object on the program's one thread, and
// nothing in it is guarded against concurrent use.
class Model {
  public:
    std::vector<PointRecord> points;
    ModelProperties properties;
    DocumentState document;

    // Appends (x, y) as a stroke start (connect false) or a stroke continuation. A point at
    // the tail's exact position is dropped; a stroke start that follows a lone stroke start
    // moves that start instead of adding a point. Sets the modified flag on any change.
    AppendResult AppendPoint(std::int32_t x, std::int32_t y, bool connect);

    void ClearPoints();

    // Replaces every point by the images, all unselected. The current points stay when memory
    // for the new ones cannot be had (result false).
    bool ReplacePoints(std::span<const PointImage> images);

    // Gives every point new jitter offsets in -s..+s, s being shakeStrength held to 0..127,
    // drawing x's value before y's; with shaking off every offset becomes 0.
    void RegenerateShake(Random& random);

    // The drawn length of the model: the distance of every stroke continuation to the point
    // before it, on raw positions.
    double TotalPathLength() const;
};

}  // namespace zef
