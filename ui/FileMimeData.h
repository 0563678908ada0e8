#pragma once

#include <QMimeData>
#include <QString>
#include <array>
#include <memory>
#include <string_view>

namespace zef::ui {

// What the clipboard or a drag carries for a file: its address as file managers copy one
// (text/uri-list and x-special/gnome-copied-files), and its bytes under each of its media
// types (empty ones skipped), so that a chat or an upload box takes the animation itself.
std::unique_ptr<QMimeData> FileMimeData(const QString& path,
                                        const std::array<std::string_view, 2>& mediaTypes);

}  // namespace zef::ui
