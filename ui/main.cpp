#include <QApplication>
#include <cstdio>

#include "MainWindow.h"
#include "Program.h"

int main(int argc, char** argv) {
    if (!zef::ui::HasDisplay()) {
        std::fprintf(stderr, "%s\n", zef::ui::kNoDisplayHint);
        return 1;
    }
    QApplication application(argc, argv);
    zef::ui::PrepareApplication(application);
    zef::ui::MainWindow window(zef::ui::ClockSeed());
    zef::ui::StartEditor(window, zef::ui::CommandLineOf(argc, argv));
    const int exitCode = QApplication::exec();
    zef::ui::ShutDown(window);
    return exitCode;
}
