#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <string>
#include <string_view>

// The program's texts are UTF-8; its paths are spelt as the file system spells them.
namespace zef::ui {

inline QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToUtf8(const QString& text) {
    return text.toStdString();
}

inline QString FromLocalPath(std::string_view path) {
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

inline std::string LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

}  // namespace zef::ui
