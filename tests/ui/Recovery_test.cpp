#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <filesystem>
#include <fstream>

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

// A term signal to an editor with unsaved work: the work is kept for the next start, the
// settings are written, and nothing is asked, also when the settings cannot be written.
TEST(RecoveryWindowTest, ATermSignalKeepsTheUnsavedWorkAndAsksNothing) {
    test::TempFolder folder;
    std::ofstream(folder.PathOf("file"));
    const struct {
        fs::path settings;
        bool written;
    } cases[] = {{folder.path() / "Config.dat", true},
                 {folder.path() / "file" / "Config.dat", false}};
    for (const auto& settings : cases) {
        SCOPED_TRACE(settings.settings);
        const fs::path recovery = folder.path() / (settings.written ? "kept" : "kept too");
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
            bool asked = false;
            QTimer answerer;
            QObject::connect(&answerer, &QTimer::timeout, [&] {
                if (QWidget* box = QApplication::activeModalWidget()) {
                    asked = true;
                    box->close();
                }
            });
            answerer.start(50);
            ShutDown(window, settings.settings, {});
            EXPECT_FALSE(asked);
            EXPECT_EQ(fs::exists(settings.settings), settings.written);
        }
        test::FakeShell shell;
        shell.answers = {MessageAnswer::kYes};
        Editor next(shell, 1);
        ASSERT_TRUE(next.recovery().UseFolder(recovery));
        next.Start("", folder.path().string());
        EXPECT_EQ(Images(next.model().points), drawn);
        EXPECT_TRUE(next.model().document.modified);
    }
}

}  // namespace
}  // namespace zef::ui
