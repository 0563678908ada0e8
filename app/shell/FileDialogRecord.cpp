#include "app/shell/FileDialogRecord.h"

#include <filesystem>

namespace zef {

void FileDialogRecord::Chose(const std::string& chosen) {
    path = chosen;
    chosenFolder = std::filesystem::path(chosen).parent_path().string();
}

}  // namespace zef
