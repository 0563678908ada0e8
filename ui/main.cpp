#include <QApplication>
#include <cstdio>

#include "MainWindow.h"
#include "Program.h"
#include "SettingsFile.h"
#include "SingleInstance.h"

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

    const std::filesystem::path settingsFile = zef::ui::SettingsFile();
    const zef::SettingsRecord settings = zef::ReadSettingsFile(settingsFile);
    zef::ui::MainWindow window(zef::ui::ClockSeed());
    QObject::connect(&instance, &zef::ui::SingleInstance::PathHandedOver, &window,
                     &zef::ui::MainWindow::HandOverPath);
    zef::ui::StartEditor(window, commandLine, settings);
    const int exitCode = QApplication::exec();
    zef::ui::ShutDown(window, settingsFile, settings);
    return exitCode;
}
