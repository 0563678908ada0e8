#pragma once

#include <QApplication>
#include <filesystem>
#include <string>

#include "app/desktop/SettingsRecord.h"
#include "ui/MainWindow.h"
#include "ui/SingleInstance.h"

namespace zef::ui {

// The start-up and shutdown of the editor, shared by zeftool, its start-up benchmark and the Qt
// tests.

// False when Qt has no display to open (no X, no Wayland, no platform named).
bool HasDisplay();
// The line every start without a display prints instead.
inline constexpr const char* kNoDisplayHint =
    "zeftool: no display; run it under X or Wayland, as `xvfb-run zeftool FILE`, or with "
    "QT_QPA_PLATFORM=offscreen";

// The program's identity, the Korean texts of Qt's own buttons whatever the locale, and the
// Korean font as the application font.
void PrepareApplication(QApplication& application);

// The command line after the program's name, as one line.
std::string CommandLineOf(int argc, char** argv);

// Where Config.dat is kept for this program and user.
std::filesystem::path SettingsFile();

// Places the window where the settings read at start-up say (unless the window system places
// windows itself; on the primary screen when that place is off every screen) and shows it,
// applies the settings to the editor, starts the editor on the command line's file (by its
// absolute path), focuses the canvas and starts the timers.
void StartEditor(MainWindow& window, const std::string& commandLine, const SettingsRecord& read);

// Stops the timers, removes the recovery copy unless the program ends without asking, and
// writes the settings: the window's restored position and the current model's properties. A
// failed write is told on standard error and, unless the program ends without asking, in a
// message with the error icon; the previous file stays.
void ShutDown(MainWindow& window, const std::filesystem::path& settingsFile,
              const SettingsRecord& read);

// The running instance from the settings read to the shutdown: the main window on the command
// line's file, opening the paths second starts hand to `instance`, keeping its recovery copies
// in `recoveryFolder`, and ended without asking by SIGTERM, SIGHUP or SIGINT. Gives the exit
// code, 0.
int RunEditor(const std::string& commandLine, SingleInstance& instance,
              const std::filesystem::path& settingsFile,
              const std::filesystem::path& recoveryFolder);

}  // namespace zef::ui
