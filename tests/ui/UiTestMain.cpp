// One application for all the Qt tests, prepared as zeftool prepares its own; or the child a
// signal test runs.

#include <gtest/gtest.h>

#include <QApplication>

#include "tests/ui/SignalledExport.h"
#include "ui/Program.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    zef::ui::PrepareApplication(application);
    if (argc == 6 && argv[1] == zef::test::kExportUntilSignalled) {
        return zef::test::ExportUntilSignalled(argv + 2);
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
