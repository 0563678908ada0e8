#include <signal.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <tuple>

#include "DialogTest.h"
#include "MainWindow.h"
#include "ModelFileIO.h"
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

// The running editor, in a child process: the model the command line names gets a point more
// and its opening replay is stopped, the export dialog of `command` is opened and saves a long anti-aliased replay to `target`
// (agreeing to replace it), and the signal comes from the progress bar's twentieth step. A
// cancel that failed would leave the replay running for minutes: the alarm ends the child then.
int ExportUntilSignalled(const std::string& model, CommandId command, const fs::path& target,
                         int signal, const fs::path& folder) {
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            box->button(QMessageBox::Yes)->click();
        }
    });
    answerer.start(0);
    QTimer::singleShot(0, [&] {
        ui::MainWindow* window = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            window = window != nullptr ? window : qobject_cast<ui::MainWindow*>(widget);
        }
        window->editor().model().AppendPoint(10, 20, true);
        window->editor().UpdateTitle();
        QTimer::singleShot(0, [&] {
            QWidget& dialog = *QApplication::activeModalWidget();
            dialog.findChild<QRadioButton*>("vtrRadio")->click();
            dialog.findChild<QRadioButton*>("antiAliasingRadio")->click();
            dialog.findChild<QLineEdit*>("endWaitEdit")->setText("120");
            dialog.findChild<QLineEdit*>("pathEdit")->setText(QString::fromStdString(target));
            QObject::connect(dialog.findChild<QProgressBar*>("progressBar"),
                             &QProgressBar::valueChanged, [signal](int value) {
                                 if (value == 20) {
                                     alarm(60);
                                     kill(getpid(), signal);
                                 }
                             });
            dialog.findChild<QPushButton*>("saveButton")->click();
        });
        window->CommandAction(CommandId::kVtr)->trigger();
        window->CommandAction(command)->trigger();
    });
    ui::SingleInstance alone{QString()};
    return ui::RunEditor(model, alone, folder / "Config.dat", folder / "recovery");
}

// A signal during an export cancels it at once, whatever the format: the old file and the
// folder stay as they were, and the program ends as on any other signal, with the work kept
// as it was before the export and the settings written.
TEST(SignalDuringExportTest, CancelsTheExportAndEndsTheProgramKeepingTheWork) {
    for (const auto& [command, name, signal] :
         {std::tuple{CommandId::kGifExport, "old.gif", SIGTERM},
          {CommandId::kGifExport, "old.webp", SIGHUP},
          {CommandId::kBmpExport, "walk0000.bmp", SIGINT}}) {
        SCOPED_TRACE(name);
        TempFolder folder;
        const std::string model = folder.PathOf("house.zfm");
        fs::copy_file(ZEF_SAMPLE_MODEL, model);
        const fs::path out = folder.path() / "out";
        fs::create_directory(out);
        std::ofstream(out / name) << "old";
        EXPECT_EXIT(
            std::_Exit(ExportUntilSignalled(model, command, out / name, signal, folder.path())),
            ::testing::ExitedWithCode(0), "");
        EXPECT_EQ(Entries(out), (std::map<std::string, std::string>{{name, "old"}}));
        EXPECT_TRUE(fs::exists(folder.path() / "Config.dat"));

        const LoadResult house = ReadModelFile(model, {});
        ASSERT_TRUE(house.model);
        FakeShell nextShell;
        nextShell.answers = {MessageAnswer::kYes};
        Editor next(nextShell, 1);
        ASSERT_TRUE(next.recovery().UseFolder(folder.path() / "recovery"));
        next.Start("", folder.path().string());
        EXPECT_TRUE(next.model().document.modified);
        EXPECT_EQ(next.model().points.size(), house.model->points.size() + 1);
        EXPECT_EQ(next.model().properties, house.model->properties);
    }
}

}  // namespace
}  // namespace zef::test
