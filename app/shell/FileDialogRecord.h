#pragma once

#include <string>

namespace zef {

// What the open and save dialogs keep between uses: the path chosen last, which the open
// dialog shows again, the directory they start in until the first successful choice
// (afterwards empty), and the folder of the last choice in any file dialog of the program.
struct FileDialogRecord {
    std::string path;
    std::string initialDirectory;
    std::string chosenFolder;

    // Where the next dialog starts: the initial directory while there is one, else the folder
    // of the last choice; empty before any, for the directory the system offers.
    const std::string& StartDirectory() const {
        return initialDirectory.empty() ? chosenFolder : initialDirectory;
    }
    // A dialog answered `chosen`: it becomes the path, and its folder the one to start in.
    void Chose(const std::string& chosen);
};

}  // namespace zef
