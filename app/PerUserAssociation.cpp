#include "PerUserAssociation.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <span>
#include <string>
#include <system_error>

#include "AssociationFiles.h"
#include "AtomicFile.h"
#include "MimeAppsList.h"

namespace zef {
namespace {

bool WriteText(const std::filesystem::path& path, std::string_view text) {
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    return !error && WriteFileAtomically(path.string(), std::span(bytes, text.size()));
}

// The text of a file, empty when there is none; nothing when it exists but can't be read.
std::optional<std::string> ReadText(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        return error ? std::nullopt : std::optional<std::string>(std::string());
    }
    std::ifstream file(path, std::ios::binary);
    std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (!file.good() && !file.eof()) {
        return std::nullopt;
    }
    return text;
}

// A list kept elsewhere through a symbolic link is read and written where the link points,
// so that the link stays.
std::filesystem::path ListPath(const std::filesystem::path& dataHome) {
    const std::filesystem::path path = dataHome / kMimeAppsList;
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::canonical(path, error);
    return error ? path : resolved;
}

bool Remove(const std::filesystem::path& path) {
    std::error_code error;
    std::filesystem::remove(path, error);
    return !error;
}

}  // namespace

bool RegisterFileAssociation(const std::filesystem::path& dataHome,
                             const AssociationSources& sources) {
    const std::filesystem::path listPath = ListPath(dataHome);
    const std::optional<std::string> list = ReadText(listPath);
    return list && WriteText(dataHome / kAssociationMimePackage, sources.mimePackage) &&
           WriteText(dataHome / kAssociationDesktopEntry,
                     AssociationDesktopEntryText(sources.executable)) &&
           WriteText(dataHome / kAssociationTypeIcon, sources.typeIcon) &&
           WriteText(listPath,
                     WithDefaultApplication(*list, kModelMimeType, kAssociationDesktopId));
}

bool RemoveFileAssociation(const std::filesystem::path& dataHome) {
    bool removed = Remove(dataHome / kAssociationMimePackage);
    removed = Remove(dataHome / kAssociationDesktopEntry) && removed;
    removed = Remove(dataHome / kAssociationTypeIcon) && removed;

    const std::filesystem::path listPath = ListPath(dataHome);
    const std::optional<std::string> list = ReadText(listPath);
    if (!list) {
        return false;
    }
    const std::string edited =
        WithoutDefaultApplication(*list, kModelMimeType, kAssociationDesktopId);
    if (edited == *list) {
        return removed;
    }
    if (edited.find_first_not_of(" \t\r\n") == std::string::npos) {
        return Remove(listPath) && removed;
    }
    return WriteText(listPath, edited) && removed;
}

}  // namespace zef
