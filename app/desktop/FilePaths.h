#pragma once

#include <string>
#include <string_view>

namespace zef {

// The file-name part of a path: what follows its last '/'.
std::string FileTitleOf(std::string_view path);

// The path a command line names: the whole line with every double quote taken out, blanks
// kept, so an unquoted path with blanks is one path too.
std::string PathFromCommandLine(std::string_view commandLine);

// The path made absolute against the working folder, as given when that can't be had; an
// empty path stays empty.
std::string AbsolutePath(const std::string& path);

// The name a model read from an older file is saved under: its ".zf2" ending, in whatever
// letter case, replaced by ".zfm", so that the older file stays as it is beside the new one.
// Other names come back unchanged.
std::string InCurrentFormat(std::string name);

// The name a model is saved under when the save dialog returned `name`: ".zfm" appended
// unless the name ends in exactly that, in this letter case.
std::string WithCurrentEnding(std::string name);

// The question asked before the file at `path` is replaced, naming the path.
std::string OverwriteQuestion(std::string_view path);

}  // namespace zef
