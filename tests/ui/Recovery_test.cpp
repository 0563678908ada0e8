#include <signal.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <tuple>

#include "model/ModelFileIO.h"
#include "tests/ui/DialogTest.h"
#include "tests/ui/SignalledExport.h"
#include "ui/MainWindow.h"
#include "ui/Program.h"
#include "ui/UnixSignals.h"

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

// A signal during an export cancels it at once, whatever the format: the old file and the
// folder stay as they were, and the program ends as on any other signal, with exit code 0, the
// work kept as it was before the export and the settings written.
TEST(SignalDuringExportTest, CancelsTheExportAndEndsTheProgramKeepingTheWork) {
    for (const auto& [command, name, signal] :
         {std::tuple{CommandId::kGifExport, "old.gif", SIGTERM},
          {CommandId::kGifExport, "old.webp", SIGHUP},
          {CommandId::kBmpExport, "walk0000.bmp", SIGINT}}) {
        SCOPED_TRACE(name);
        TempFolder folder;
        fs::copy_file(ZEF_SAMPLE_MODEL, folder.path() / "house.zfm");
        const fs::path out = folder.path() / "out";
        fs::create_directory(out);
        std::ofstream(out / name) << "old";
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(
            QCoreApplication::applicationFilePath(),
            {QString::fromUtf8(kExportUntilSignalled), QString::fromStdString(folder.path()),
             QString::number(static_cast<int>(command)), QString::fromUtf8(name),
             QString::number(signal)});
        ASSERT_TRUE(child.waitForFinished(120'000));
        EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(child.exitCode(), 0);
        EXPECT_EQ(Entries(out), (std::map<std::string, std::string>{{name, "old"}}));
        EXPECT_TRUE(fs::exists(folder.path() / "Config.dat"));

        const LoadResult house = ReadModelFile(folder.PathOf("house.zfm"), {});
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

// The model gets a point more and its opening replay is stopped; the export dialog saves a long
// anti-aliased replay at a replay step other than the model's, agreeing to replace the old file,
// and the signal comes at the progress bar's twentieth step. An export the signal failed to cancel
// would run for minutes: the alarm ends the child then.
int zef::test::ExportUntilSignalled(char** arguments) {
    const fs::path folder = arguments[0];
    const auto command = static_cast<CommandId>(std::atoi(arguments[1]));
    const QString target = QString::fromStdString(folder / "out" / arguments[2]);
    const int signal = std::atoi(arguments[3]);
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
            dialog.findChild<QSlider*>("smoothnessSlider")->setValue(3);
            dialog.findChild<QLineEdit*>("endWaitEdit")->setText("120");
            dialog.findChild<QLineEdit*>("pathEdit")->setText(target);
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
    return ui::RunEditor(folder / "house.zfm", alone, folder / "Config.dat", folder / "recovery");
}
