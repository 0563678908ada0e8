#include "FileAssociation.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <filesystem>

#include "AssociationFiles.h"
#include "PerUserAssociation.h"

namespace zef::ui {
namespace {

std::filesystem::path DataHome() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString();
}

QByteArray Resource(const char* path) {
    QFile file(QString::fromUtf8(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Rebuilds the cache of a folder there is, so that removing what was never registered
// leaves nothing behind.
void RunIfInstalled(const char* tool, const std::filesystem::path& folder) {
    std::error_code error;
    const QString program = QStandardPaths::findExecutable(QString::fromUtf8(tool));
    if (!program.isEmpty() && std::filesystem::is_directory(folder, error)) {
        QProcess::execute(program, {QString::fromStdString(folder.string())});
    }
}

void RefreshCaches(const std::filesystem::path& dataHome) {
    RunIfInstalled("update-mime-database", dataHome / kMimeFolder);
    RunIfInstalled("update-desktop-database", dataHome / kApplicationsFolder);
}

}  // namespace

bool RegisterAssociation() {
    const std::filesystem::path dataHome = DataHome();
    const QByteArray executable = QCoreApplication::applicationFilePath().toUtf8();
    const QByteArray mimePackage = Resource(":/desktop/model-type.xml");
    const QByteArray typeIcon = Resource(":/desktop/application-x-zeftool-model.svg");
    const bool registered =
        !mimePackage.isEmpty() && !typeIcon.isEmpty() &&
        RegisterFileAssociation(dataHome, {executable.toStdString(), mimePackage.toStdString(),
                                           typeIcon.toStdString()});
    RefreshCaches(dataHome);
    return registered;
}

bool RemoveAssociation() {
    const std::filesystem::path dataHome = DataHome();
    const bool removed = RemoveFileAssociation(dataHome);
    RefreshCaches(dataHome);
    return removed;
}

}  // namespace zef::ui
