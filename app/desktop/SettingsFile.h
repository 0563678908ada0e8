#pragma once

#include <filesystem>
#include <string_view>

#include "app/desktop/SettingsRecord.h"
#include "model/AtomicFile.h"

namespace zef {

// Where Config.dat lives: beside the executable when its folder is writable (a program
// unpacked into a folder of its own), otherwise under the user's configuration folder,
// `$XDG_CONFIG_HOME/zeftool` or, when that is unset, empty or not absolute,
// `home/.config/zeftool`.
std::filesystem::path ChooseSettingsPath(const std::filesystem::path& executableFolder,
                                         bool executableFolderWritable,
                                         std::string_view xdgConfigHome, std::string_view home);

// A program unpacked into a folder of its own, which it may write, keeps Config.dat there and
// starts its file dialogs there; an installed one does neither, even when run by the
// administrator, who may write the system's program folders.
bool IsSystemProgramFolder(const std::filesystem::path& executableFolder);
bool ProgramFolderIsOwn(const std::filesystem::path& executableFolder);

// The same choice for this process and user, from the environment and the file system.
std::filesystem::path SettingsFilePath(const std::filesystem::path& executableFolder);

// The record in the file; the defaults when the file is missing or not a readable regular
// file. Never fails and never waits on anything but the file.
SettingsRecord ReadSettingsFile(const std::filesystem::path& path);

// Stores the record, creating the file's folder when needed. The previous file stays as it
// was unless the whole record was written; false then.
bool WriteSettingsFile(const std::filesystem::path& path, const SettingsRecord& record,
                       const FileOps& ops = SystemFileOps());

}  // namespace zef
