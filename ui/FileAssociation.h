#pragma once

namespace zef::ui {

// The association of model files with the running program, for the current user under
// $XDG_DATA_HOME (by default ~/.local/share) with the default in $XDG_CONFIG_HOME's
// mimeapps.list (by default ~/.config), made from the program's own MIME package and model
// file icon. After a change the desktop's MIME and application caches are rebuilt
// where their tools exist. False when a file could not be written or deleted.
bool RegisterAssociation();
bool RemoveAssociation();

}  // namespace zef::ui
