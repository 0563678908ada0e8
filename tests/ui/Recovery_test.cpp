#include <csignal>
#include <filesystem>
#include <fstream>

#include "DialogTest.h"
#include "MainWindow.h"
#include "Program.h"
#include "UnixSignals.h"

namespace zef::test {
namespace {

namespace fs = std::filesystem;

using RecoveryWindowTest = DialogTest;

// A term signal asks nothing, not even about settings that cannot be written, and the unsaved
// work is kept for the next start.
TEST_F(RecoveryWindowTest, ATermSignalKeepsTheUnsavedWorkAndAsksNothing) {
    std::ofstream(folder.PathOf("file"));
    for (const bool writable : {true, false}) {
        SCOPED_TRACE(writable);
        const fs::path settings = folder.path() / (writable ? "" : "file") / "Config.dat";
        const fs::path recovery = folder.path() / (writable ? "kept" : "kept too");
        std::vector<PointImage> drawn;
        {
            ui::MainWindow window(1);
            ASSERT_TRUE(window.editor().recovery().UseFolder(recovery));
            ui::UnixSignals unixSignals;
            QObject::connect(&unixSignals, &ui::UnixSignals::received, &window,
                             &ui::MainWindow::endWithoutAsking);
            ui::StartEditor(window, "", {});
            Model& model = window.editor().model();
            model.AppendPoint(10, 20, false);
            model.AppendPoint(30, 40, true);
            window.editor().UpdateTitle();
            drawn = {model.points.begin(), model.points.end()};
            std::raise(SIGTERM);
            ASSERT_TRUE(QTest::qWaitFor([&] { return window.QuitRequested(); }, 5000));
            ui::ShutDown(window, settings, {});
            EXPECT_TRUE(messages.empty());
            EXPECT_EQ(fs::exists(settings), writable);
        }
        FakeShell nextShell;
        nextShell.answers = {MessageAnswer::kYes};
        Editor next(nextShell, 1);
        ASSERT_TRUE(next.recovery().UseFolder(recovery));
        next.Start("", folder.path().string());
        EXPECT_EQ(std::vector<PointImage>(next.model().points.begin(), next.model().points.end()),
                  drawn);
        EXPECT_TRUE(next.model().document.modified);
    }
}

}  // namespace
}  // namespace zef::test
