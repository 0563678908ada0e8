#include "ui/FileAssociation.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <filesystem>

#include "app/desktop/AssociationFiles.h"
#include "app/desktop/PerUserAssociation.h"
#include "ui/QtText.h"

namespace zef::ui {
namespace {

AssociationHomes Homes() {
    return {LocalPath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)),
            LocalPath(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))};
}

QByteArray Resource(const char* path) {
    QFile file(FromUtf8(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Rebuilds the cache of a folder there is, so that removing what was never registered
// leaves nothing behind.
void RunIfInstalled(const char* tool, const std::filesystem::path& folder) {
    std::error_code error;
    const QString program = QStandardPaths::findExecutable(FromUtf8(tool));
    if (!program.isEmpty() && std::filesystem::is_directory(folder, error)) {
        QProcess::execute(program, {FromLocalPath(folder.native())});
    }
}

void RefreshCaches(const std::filesystem::path& dataHome) {
    RunIfInstalled("update-mime-database", dataHome / kMimeFolder);
    RunIfInstalled("update-desktop-database", dataHome / kApplicationsFolder);
}

}  // namespace

bool RegisterAssociation() {
    const AssociationHomes homes = Homes();
    const std::string executable = ToUtf8(QCoreApplication::applicationFilePath());
    const QByteArray mimePackage = Resource(":/desktop/model-type.xml");
    const QByteArray typeIcon = Resource(":/desktop/application-x-zeftool-model.svg");
    const bool registered = !mimePackage.isEmpty() && !typeIcon.isEmpty() &&
                            RegisterFileAssociation(homes, {executable, mimePackage.toStdString(),
                                                            typeIcon.toStdString()});
    RefreshCaches(homes.data);
    return registered;
}

bool RemoveAssociation() {
    const AssociationHomes homes = Homes();
    const bool removed = RemoveFileAssociation(homes);
    RefreshCaches(homes.data);
    return removed;
}

}  // namespace zef::ui
