#include <QApplication>
#include <cstdio>

#include "app/desktop/RecoveryFolder.h"
#include "ui/Program.h"
#include "ui/SingleInstance.h"

int main(int argc, char** argv) {
    if (!zef::ui::HasDisplay()) {
        std::fprintf(stderr, "%s\n", zef::ui::kNoDisplayHint);
        return 1;
    }
    QApplication application(argc, argv);
    zef::ui::PrepareApplication(application);
    const std::string commandLine = zef::ui::CommandLineOf(argc, argv);
    const QString meetingFolder = zef::ui::SingleInstance::MeetingFolder();
    zef::ui::SingleInstance instance(meetingFolder);
    if (!instance.Claim()) {
        return zef::ui::RunSecondStart(meetingFolder, commandLine);
    }
    return zef::ui::RunEditor(commandLine, instance, zef::ui::SettingsFile(),
                              zef::RecoveryFolderPath());
}
