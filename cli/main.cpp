// zefcli: the batch tool over the model core.

#include <cstdio>
#include <string>
#include <string_view>

#include "ModelFileIO.h"
#include "ModelInfo.h"
#include "ModelTexts.h"

namespace {

constexpr const char* kUsage =
    "usage: zefcli info MODEL\n"
    "       zefcli convert IN OUT\n";

int Usage() {
    std::fputs(kUsage, stderr);
    return 2;
}

// Reads a model, printing the reason on standard error when it cannot be read.
std::optional<zef::LoadedModel> Read(const std::string& path) {
    zef::LoadResult result = zef::ReadModelFile(path, zef::ModelProperties{});
    if (!result.model) {
        const std::string_view text = zef::LoadFailureText(result.failure);
        std::fprintf(stderr, "zefcli: %s: %s\n", path.c_str(),
                     text.empty() ? "cannot be opened" : std::string(text).c_str());
    }
    return std::move(result.model);
}

int Info(const std::string& path) {
    const std::optional<zef::LoadedModel> model = Read(path);
    if (!model) {
        return 1;
    }
    std::fputs(zef::DescribeModel(*model).c_str(), stdout);
    return 0;
}

int Convert(const std::string& in, const std::string& out) {
    std::optional<zef::LoadedModel> loaded = Read(in);
    if (!loaded) {
        return 1;
    }
    zef::Model model;
    model.properties = loaded->properties;
    model.points = std::move(loaded->points);
    if (!zef::WriteModelFile(out, model)) {
        std::fprintf(stderr, "zefcli: %s: %s\n", out.c_str(), zef::texts::kSaveFailed);
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string_view command = argc > 1 ? argv[1] : "";
    if (command == "info" && argc == 3) {
        return Info(argv[2]);
    }
    if (command == "convert" && argc == 4) {
        return Convert(argv[2], argv[3]);
    }
    return Usage();
}
