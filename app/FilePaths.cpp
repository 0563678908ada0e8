#include "FilePaths.h"

#include <algorithm>

#include "ModelFile.h"

namespace zef {

std::string FileTitleOf(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string PathFromCommandLine(std::string_view commandLine) {
    std::string path(commandLine);
    path.erase(std::remove(path.begin(), path.end(), '"'), path.end());
    return path;
}

std::string InCurrentFormat(std::string name) {
    if (FormatOfName(name) == ModelFormat::kOlder) {
        name.replace(name.size() - 4, 4, ".zfm");
    }
    return name;
}

}  // namespace zef
