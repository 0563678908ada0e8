#include "FilePaths.h"

#include <algorithm>

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

std::string ReplaceEnding(std::string text, std::string_view from, std::string_view to) {
    if (text.ends_with(from)) {
        text.replace(text.size() - from.size(), from.size(), to);
    }
    return text;
}

}  // namespace zef
