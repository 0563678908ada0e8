#pragma once

#include <string_view>

namespace zef::test {

// The first argument that makes the Qt tests' program the child of the signal test instead:
// `--export-until-signalled FOLDER COMMAND NAME SIGNAL` runs the editor on FOLDER/house.zfm,
// exports to FOLDER/out/NAME through the dialog of COMMAND (a CommandId's number), and sends
// itself SIGNAL during the export. Gives the editor's exit code.
inline constexpr std::string_view kExportUntilSignalled = "--export-until-signalled";
int ExportUntilSignalled(char** arguments);

}  // namespace zef::test
