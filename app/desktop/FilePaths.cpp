#include "app/desktop/FilePaths.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/shell/AppTexts.h"
#include "model/ModelFile.h"

namespace zef {

namespace {

constexpr std::string_view kCurrentEnding = ".zfm";

}  // namespace

std::string FileTitleOf(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string PathFromCommandLine(std::string_view commandLine) {
    std::string path(commandLine);
    path.erase(std::remove(path.begin(), path.end(), '"'), path.end());
    return path;
}

std::string AbsolutePath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute =
        path.empty() ? std::filesystem::path() : std::filesystem::absolute(path, error);
    return error ? path : absolute.string();
}

std::string InCurrentFormat(std::string name) {
    if (FormatOfName(name) == ModelFormat::kOlder) {
        name.replace(name.size() - 4, 4, kCurrentEnding);
    }
    return name;
}

std::string WithCurrentEnding(std::string name) {
    if (!name.ends_with(kCurrentEnding)) {
        name += kCurrentEnding;
    }
    return name;
}

std::string OverwriteQuestion(std::string_view path) {
    const std::string_view format = texts::kOverwriteQuestion;
    const std::size_t at = format.find("%s");
    std::string text(format.substr(0, at));
    text.append(path).append(format.substr(at + 2));
    return text;
}

}  // namespace zef
