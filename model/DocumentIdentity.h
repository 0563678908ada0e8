#pragma once

#include <string>

namespace zef {

// The file a drawing belongs to: its full path (empty for an untitled drawing) and the file
// name the window title shows.
struct DocumentIdentity {
    std::string path;
    std::string title;
};

}  // namespace zef
