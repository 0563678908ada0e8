#include "ui/Program.h"

#include <QFont>
#include <QLibraryInfo>
#include <QScreen>
#include <QStandardPaths>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/desktop/SettingsFile.h"
#include "app/desktop/WindowPlacement.h"
#include "app/shell/AppTexts.h"
#include "generated/ProgramIdentity.h"
#include "model/Random.h"
#include "ui/QtText.h"
#include "ui/UnixSignals.h"

// The pictures, cursors and icons are compiled into the library; a static library's
// resources are registered by hand.
static void RegisterResources() {
    Q_INIT_RESOURCE(zeftool);
}

namespace zef::ui {

namespace {

// The family the program's texts are set in, and the installed Korean font drawn for it.
constexpr const char* kTextFamily = "굴림";
constexpr const char* kKoreanFont = "NanumGothic";

bool Set(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

// The open and save dialogs start beside the program when it may write there (a copy
// unpacked somewhere), else in the user's documents (an installed program).
std::string DialogStartFolder() {
    const std::string programFolder = LocalPath(QCoreApplication::applicationDirPath());
    return ProgramFolderIsOwn(programFolder)
               ? programFolder
               : LocalPath(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

PixelRect ToPixelRect(const QRect& rect) {
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

// Wayland lets no program place its own windows or learn where they are.
bool WindowSystemPlacesWindows() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void Place(MainWindow& window, WindowPosition saved) {
    if (WindowSystemPlacesWindows()) {
        return;
    }
    std::vector<PixelRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        screens.push_back(ToPixelRect(screen->geometry()));
    }
    const QScreen* primary = QGuiApplication::primaryScreen();
    const PixelRect placed = PlaceOnScreens(
        {saved.left, saved.top, window.width(), window.height()}, screens,
        primary != nullptr ? ToPixelRect(primary->availableGeometry()) : PixelRect{});
    window.move(placed.x, placed.y);
}

}  // namespace

bool HasDisplay() {
    return Set("DISPLAY") || Set("WAYLAND_DISPLAY") || Set("QT_QPA_PLATFORM");
}

void PrepareApplication(QApplication& application) {
    RegisterResources();
    QApplication::setApplicationName(QStringLiteral("zeftool"));
    QApplication::setApplicationVersion(FromUtf8(kVersion));
    QGuiApplication::setDesktopFileName(FromUtf8(kAppId));
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/zeftool.svg")));

    auto* translator = new QTranslator(&application);
    if (translator->load(QStringLiteral("qtbase_ko"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    }

    QFont::insertSubstitution(FromUtf8(kTextFamily), FromUtf8(kKoreanFont));
    QFont font = QApplication::font();
    font.setFamilies({FromUtf8(kTextFamily)});
    QApplication::setFont(font);
}

std::string CommandLineOf(int argc, char** argv) {
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) {
            line += ' ';
        }
        line += argv[i];
    }
    return line;
}

std::filesystem::path SettingsFile() {
    return SettingsFilePath(LocalPath(QCoreApplication::applicationDirPath()));
}

void StartEditor(MainWindow& window, const std::string& commandLine, const SettingsRecord& read) {
    Place(window, read.window);
    window.show();
    // After the canvas window has reported its first size, which would otherwise replace the
    // canvas size read.
    Editor& editor = window.editor();
    ApplySettingsRecord(read, editor.model().properties, editor.settings());
    editor.Start(commandLine, DialogStartFolder());
    window.activateWindow();
    window.canvas().setFocus();
    window.StartTimers();
}

void ShutDown(MainWindow& window, const std::filesystem::path& settingsFile,
              const SettingsRecord& read) {
    window.StopTimers();
    window.editor().recovery().Discard();
    std::optional<WindowPosition> restored;
    if (!WindowSystemPlacesWindows()) {
        restored = WindowPosition{window.x(), window.y()};
    }
    Editor& editor = window.editor();
    const SettingsRecord record =
        SettingsRecordAtExit(read, restored, editor.model().properties, editor.settings());
    if (WriteSettingsFile(settingsFile, record)) {
        return;
    }
    std::fprintf(stderr, "zeftool: the settings could not be written to %s\n",
                 settingsFile.c_str());
    // Nobody may be there to close a message when the session or the terminal ends.
    if (!window.EndingWithoutAsking()) {
        window.shell().ShowMessage({texts::kSettingsNotSaved, texts::kAppCaption,
                                    MessageButtons::kOk, MessageIcon::kError, ShellWindow::kMain});
    }
}

int RunEditor(const std::string& commandLine, SingleInstance& instance,
              const std::filesystem::path& settingsFile,
              const std::filesystem::path& recoveryFolder) {
    const SettingsRecord settings = ReadSettingsFile(settingsFile);
    MainWindow window(ClockSeed());
    QObject::connect(&instance, &SingleInstance::pathHandedOver, &window,
                     &MainWindow::handOverPath);
    UnixSignals unixSignals;
    QObject::connect(&unixSignals, &UnixSignals::received, &window, &MainWindow::endWithoutAsking);
    window.editor().recovery().UseFolder(recoveryFolder);
    StartEditor(window, commandLine, settings);
    // A signal may have ended the program during the start's questions.
    const int exitCode = window.QuitRequested() ? 0 : QApplication::exec();
    ShutDown(window, settingsFile, settings);
    return exitCode;
}

}  // namespace zef::ui
