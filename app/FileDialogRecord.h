#pragma once

#include <string>

namespace zef {

// What the open and save dialogs keep between uses: the path chosen last, which the open
// dialog shows again, and the directory they start in until the first successful choice
// (afterwards empty, so that the directory the system remembers applies).
struct FileDialogRecord {
    std::string path;
    std::string initialDirectory;
};

}  // namespace zef
