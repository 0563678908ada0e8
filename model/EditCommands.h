#pragma once

#include <cstdint>

#include "model/Model.h"
#include "model/SelectionState.h"

namespace zef {

// What the caller of an editing command has to do afterwards; the commands themselves record
// no snapshots and touch no user interface.
struct EditResult {
    bool snapshot = false;        // record the model in the history now; the title follows it
    bool refreshToolbar = false;  // the selection or the modes changed
};

// Selects every point; a selection then exists, also in an empty model.
EditResult SelectAll(Model& model, SelectionState& selection);

// Unselects every point and switches move and scale mode off.
EditResult DeselectAll(Model& model, SelectionState& selection);

// Flips every point's selection; a selection exists when some point became selected.
EditResult InvertSelection(Model& model, SelectionState& selection);

// Deletes every segment whose two points are selected, in one pass over the points. A stroke
// that loses a middle segment is split in two; a stroke start left without its segment goes
// too. Deleting the list's last segment ends as RemoveLastLine does. One snapshot in every
// case. Ends with DeselectAll.
EditResult DeleteSelectedSegments(Model& model, SelectionState& selection);

// Removes each selected point inside a stroke whose incoming and outgoing directions, in
// whole degrees, differ by less than 20 while its neighbours lie at most 100 pixels apart.
// One pass over the points; the selection stays.
EditResult StraightenSelection(Model& model);

// Removes the last point and any stroke starts left before it. On an empty model it changes
// nothing but still asks for a snapshot.
EditResult RemoveLastLine(Model& model);

// Moves the selected points, or every point while `moveAll` is set, by (dx, dy), each
// coordinate held to -30000..30000. Neither the modified flag nor the history changes.
void MoveSelection(Model& model, const SelectionState& selection, std::int32_t dx, std::int32_t dy);

// Scales the selected points about `scaleCentre` by `scaleFactor`, truncating toward zero and
// holding each coordinate to -30000..30000, then sets the factor back to 1.
void ScaleSelection(Model& model, SelectionState& selection);

}  // namespace zef
