#include "PerUserAssociation.h"

#include <fstream>
#include <optional>
#include <span>
#include <string>
#include <system_error>
#include <vector>

#include "AssociationFiles.h"
#include "AtomicFile.h"
#include "MimeAppsList.h"

namespace zef {
namespace {

// What one file is to hold: a text, or nothing for a file deleted.
struct FileState {
    std::filesystem::path path;
    std::optional<std::string> text;
};

// What the file at the path holds now; nothing when it exists but can't be read as a file.
std::optional<FileState> CurrentState(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::file_type type = std::filesystem::status(path, error).type();
    if (type == std::filesystem::file_type::not_found) {
        return FileState{path, std::nullopt};
    }
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || type != std::filesystem::file_type::regular) {
        return std::nullopt;
    }
    std::ifstream file(path, std::ios::binary);
    std::string text(size, '\0');
    if (!file.read(text.data(), static_cast<std::streamsize>(size))) {
        return std::nullopt;
    }
    return FileState{path, std::move(text)};
}

bool Apply(const FileState& state) {
    std::error_code error;
    if (!state.text) {
        std::filesystem::remove(state.path, error);
        return !error;
    }
    std::filesystem::create_directories(state.path.parent_path(), error);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(state.text->data());
    return !error && WriteFileAtomically(state.path.string(), std::span(bytes, state.text->size()));
}

// Brings the files to their states in order. When one can't be read or changed, the files
// changed before it get back what they held, so that no half association is left.
bool ApplyAll(const std::vector<FileState>& states) {
    std::vector<FileState> before;
    for (const FileState& state : states) {
        std::optional<FileState> current = CurrentState(state.path);
        if (!current || !Apply(state)) {
            for (auto earlier = before.rbegin(); earlier != before.rend(); ++earlier) {
                Apply(*earlier);
            }
            return false;
        }
        before.push_back(std::move(*current));
    }
    return true;
}

// A list kept elsewhere through a symbolic link is read and written where the link points,
// so that the link stays.
std::filesystem::path ListPath(const std::filesystem::path& dataHome) {
    const std::filesystem::path path = dataHome / kMimeAppsList;
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::canonical(path, error);
    return error ? path : resolved;
}

}  // namespace

bool RegisterFileAssociation(const std::filesystem::path& dataHome,
                             const AssociationSources& sources) {
    const std::optional<FileState> list = CurrentState(ListPath(dataHome));
    if (!list) {
        return false;
    }
    return ApplyAll({
        {dataHome / kAssociationMimePackage, std::string(sources.mimePackage)},
        {dataHome / kAssociationDesktopEntry, AssociationDesktopEntryText(sources.executable)},
        {dataHome / kAssociationTypeIcon, std::string(sources.typeIcon)},
        {list->path,
         WithDefaultApplication(list->text.value_or(""), kModelMimeType, kAssociationDesktopId)},
    });
}

bool RemoveFileAssociation(const std::filesystem::path& dataHome) {
    const std::optional<FileState> list = CurrentState(ListPath(dataHome));
    if (!list) {
        return false;
    }
    std::vector<FileState> states;
    const std::string text = list->text.value_or("");
    const std::string edited =
        WithoutDefaultApplication(text, kModelMimeType, kAssociationDesktopId);
    if (edited != text) {
        const bool empty = edited.find_first_not_of(" \t\r\n") == std::string::npos;
        states.push_back({list->path, empty ? std::nullopt : std::optional(edited)});
    }
    for (const char* file :
         {kAssociationMimePackage, kAssociationDesktopEntry, kAssociationTypeIcon}) {
        states.push_back({dataHome / file, std::nullopt});
    }
    return ApplyAll(states);
}

}  // namespace zef
