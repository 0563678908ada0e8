#include <gtest/gtest.h>

#include <QTest>
#include <csignal>
#include <filesystem>

#include "FakeShell.h"
#include "MainWindow.h"
#include "Program.h"
#include "TempFolder.h"
#include "UnixSignals.h"

namespace zef::ui {
namespace {

namespace fs = std::filesystem;

std::vector<PointImage> Images(const std::vector<PointRecord>& points) {
    return {points.begin(), points.end()};
}

TEST(RecoveryWindowTest, ATermSignalKeepsTheUnsavedWorkForTheNextStart) {
    test::TempFolder folder;
    const fs::path recovery = folder.path() / "recovery";
    const fs::path settings = folder.path() / "Config.dat";
    std::vector<PointImage> drawn;
    {
        MainWindow window(1);
        ASSERT_TRUE(window.editor().recovery().UseFolder(recovery));
        UnixSignals unixSignals;
        QObject::connect(&unixSignals, &UnixSignals::Received, &window,
                         &MainWindow::EndWithoutAsking);
        StartEditor(window, "", {});
        Model& model = window.editor().model();
        model.AppendPoint(10, 20, false);
        model.AppendPoint(30, 40, true);
        window.editor().UpdateTitle();
        drawn = Images(model.points);

        std::raise(SIGTERM);
        ASSERT_TRUE(QTest::qWaitFor([&] { return window.QuitRequested(); }, 5000));
        ShutDown(window, settings, {});
        EXPECT_TRUE(fs::exists(settings));
    }
    test::FakeShell shell;
    shell.answers = {MessageAnswer::kYes};
    Editor next(shell, 1);
    ASSERT_TRUE(next.recovery().UseFolder(recovery));
    next.Start("", folder.path().string());
    EXPECT_EQ(Images(next.model().points), drawn);
    EXPECT_TRUE(next.model().document.modified);
}

}  // namespace
}  // namespace zef::ui
