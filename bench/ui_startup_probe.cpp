// zeftool's start-up as its main does it for the running instance, ending at the first frame shown:
// prints the moment of that frame on the steady clock, in nanoseconds, for the start-up benchmark.

#include <QApplication>
#include <chrono>
#include <cstdio>

#include "app/desktop/SettingsFile.h"
#include "ui/MainWindow.h"
#include "ui/Program.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    zef::ui::PrepareApplication(application);
    zef::ui::MainWindow window(zef::ClockSeed());
    QObject::connect(&window, &zef::ui::MainWindow::framePresented, [] {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        std::printf("%lld\n",
                    static_cast<long long>(
                        std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
        QCoreApplication::exit(0);
    });
    zef::ui::StartEditor(window, zef::ui::CommandLineOf(argc, argv),
                         zef::ReadSettingsFile(zef::ui::SettingsFile()));
    return QApplication::exec();
}
