#include <QApplication>
#include <cstdio>

#include "MainWindow.h"
#include "Program.h"
#include "RecoveryFolder.h"
#include "SettingsFile.h"
#include "SingleInstance.h"
#include "UnixSignals.h"

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
    QObject::connect(&instance, &zef::ui::SingleInstance::pathHandedOver, &window,
                     &zef::ui::MainWindow::handOverPath);
    zef::ui::UnixSignals unixSignals;
    QObject::connect(&unixSignals, &zef::ui::UnixSignals::received, &window,
                     &zef::ui::MainWindow::endWithoutAsking);
    window.editor().recovery().UseFolder(zef::RecoveryFolderPath());
    zef::ui::StartEditor(window, commandLine, settings);
    // A signal may have ended the program during the start's questions.
    const int exitCode = window.QuitRequested() ? 0 : QApplication::exec();
    zef::ui::ShutDown(window, settingsFile, settings);
    return exitCode;
}
