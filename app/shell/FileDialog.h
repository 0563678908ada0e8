#pragma once

#include <string>
#include <vector>

#include "app/shell/ShellWindow.h"

namespace zef {

struct FileFilter {
    std::string description;
    std::string pattern;  // patterns separated by ';', such as "*.zfm;*zf2"
};

enum class FileDialogKind { kOpen, kSave };

// An open-file or save-file dialog to show.
struct FileDialog {
    FileDialogKind kind = FileDialogKind::kOpen;
    ShellWindow owner = ShellWindow::kMain;
    std::string title;
    std::vector<FileFilter> filters;
    int filterIndex = 1;            // 1 = the first filter
    std::string initialPath;        // the path the dialog starts with; may be empty
    std::string initialDirectory;   // empty: the directory the system offers
    bool mustExist = false;         // open: only an existing file can be chosen
    bool overwritePrompt = false;   // save: ask before replacing an existing file
    bool hideReadOnly = true;       // no read-only check box
    bool endingFromFilter = false;  // save: a name typed without an ending gets the chosen type's
};

}  // namespace zef
