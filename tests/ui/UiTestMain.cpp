// One application for all the Qt tests, prepared as zeftool prepares its own.

#include <gtest/gtest.h>

#include <QApplication>

#include "Program.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    zef::ui::PrepareApplication(application);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
