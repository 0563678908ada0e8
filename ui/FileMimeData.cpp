#include "ui/FileMimeData.h"

#include <QFile>
#include <QUrl>

namespace zef::ui {

std::unique_ptr<QMimeData> FileMimeData(const QString& path,
                                        const std::array<std::string_view, 2>& mediaTypes) {
    auto data = std::make_unique<QMimeData>();
    const QUrl url = QUrl::fromLocalFile(path);
    data->setUrls({url});
    data->setData(QStringLiteral("x-special/gnome-copied-files"), "copy\n" + url.toEncoded());
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.readAll();
        for (const std::string_view type : mediaTypes) {
            if (!type.empty()) {
                data->setData(QString::fromLatin1(type.data(), static_cast<qsizetype>(type.size())),
                              bytes);
            }
        }
    }
    return data;
}

}  // namespace zef::ui
