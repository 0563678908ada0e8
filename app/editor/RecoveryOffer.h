#pragma once

#include "app/desktop/RecoveryKeeper.h"
#include "app/editor/FileFlows.h"
#include "app/shell/Shell.h"

namespace zef {

// Offers the unsaved work of every instance that ended without saving it, newest first, one
// question each: Yes opens it under its own path and title with its changes unsaved, No
// deletes it. A damaged copy is set aside unasked; work that was neither opened nor refused
// (the save question before it cancelled) is offered again at the next start. True when any
// work was opened.
bool OfferLeftBehindWork(RecoveryKeeper& keeper, Shell& shell, FileFlows& flows);

}  // namespace zef
