#include "app/desktop/PerUserAssociation.h"

#include <fstream>
#include <optional>
#include <span>
#include <string>
#include <system_error>
#include <vector>

#include "app/desktop/AssociationFiles.h"
#include "app/desktop/MimeAppsList.h"
#include "model/AtomicFile.h"

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

// A text is written where the symbolic links at the path lead, so that a link stays one.
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

}  // namespace

bool RegisterFileAssociation(const AssociationHomes& homes, const AssociationSources& sources) {
    const std::optional<FileState> list = CurrentState(homes.config / kMimeAppsList);
    if (!list) {
        return false;
    }
    return ApplyAll({
        {homes.data / kAssociationMimePackage, std::string(sources.mimePackage)},
        {homes.data / kAssociationDesktopEntry, AssociationDesktopEntryText(sources.executable)},
        {homes.data / kAssociationTypeIcon, std::string(sources.typeIcon)},
        {list->path,
         WithDefaultApplication(list->text.value_or(""), kModelMimeType, kAssociationDesktopId)},
    });
}

// A list is never deleted, not even when taking the entry out leaves it empty: it is shared
// with every other program that sets defaults, the program can't tell whether it made it, and
// it may be a link into the user's own files. An empty list means what no list means.
bool RemoveFileAssociation(const AssociationHomes& homes) {
    std::vector<FileState> states;
    for (const std::filesystem::path& path :
         {homes.config / kMimeAppsList, homes.data / kLegacyMimeAppsList}) {
        const std::optional<FileState> list = CurrentState(path);
        if (!list) {
            return false;
        }
        const std::string text = list->text.value_or("");
        std::string edited = WithoutDefaultApplication(text, kModelMimeType, kAssociationDesktopId);
        if (edited != text) {
            states.push_back({path, std::move(edited)});
        }
    }
    for (const char* file :
         {kAssociationMimePackage, kAssociationDesktopEntry, kAssociationTypeIcon}) {
        states.push_back({homes.data / file, std::nullopt});
    }
    return ApplyAll(states);
}

}  // namespace zef
