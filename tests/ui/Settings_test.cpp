#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTest>
#include <filesystem>

#include "AssociationFiles.h"
#include "FileAssociation.h"
#include "MainWindow.h"
#include "Program.h"
#include "SettingsFile.h"
#include "TempFolder.h"

namespace zef::test {
namespace {

class SettingsTest : public ::testing::Test {
  protected:
    ~SettingsTest() override { qunsetenv("XDG_DATA_HOME"); }
    std::filesystem::path File() const { return folder.path() / "Config.dat"; }

    TempFolder folder;
};

TEST_F(SettingsTest, NextStartHasTheLastModelsPropertiesAndTheRestoredPlace) {
    {
        ui::MainWindow first(1);
        const SettingsRecord read = ReadSettingsFile(File());
        ui::StartEditor(first, "", read);
        first.move(120, 80);
        first.editor().model().properties.backgroundColour = {255, 0, 0};
        first.editor().FitCanvas(320, 240);
        first.showMinimized();
        ui::ShutDown(first, File(), read);
    }
    ASSERT_EQ(std::filesystem::file_size(File()), kSettingsRecordSize);
    const SettingsRecord read = ReadSettingsFile(File());
    EXPECT_EQ(read.window, (WindowPosition{120, 80}));
    EXPECT_EQ(read.properties.canvasWidth, 320);

    ui::MainWindow second(2);
    ui::StartEditor(second, "", read);
    EXPECT_EQ(second.pos(), QPoint(120, 80));
    EXPECT_EQ(second.CanvasClientSize(), (CanvasSize{320, 240}));
    EXPECT_EQ(second.statusPanes().Pane(StatusPane::kCanvasSize).text(),
              QStringLiteral("320 Ⅹ 240"));
    second.editor().FrameTick();
    EXPECT_EQ(second.canvas().PresentedFrame().size(), QSize(320, 240));
    EXPECT_EQ(second.canvas().PresentedFrame().pixelColor(5, 5), QColor(255, 0, 0));
}

TEST_F(SettingsTest, APlaceOffEveryScreenGoesToThePrimaryAndAFailedWriteIsTold) {
    std::filesystem::create_directory(File());
    SettingsRecord read;
    read.window = {-30000, 40000};
    ui::MainWindow window(1);
    ui::StartEditor(window, "", read);
    EXPECT_EQ(window.pos(), QGuiApplication::primaryScreen()->availableGeometry().topLeft());
    ::testing::internal::CaptureStderr();
    ui::ShutDown(window, File(), read);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "zeftool: the settings could not be written to " + File().string() + "\n");
    EXPECT_TRUE(std::filesystem::is_directory(File()));
}

// The association as the settings dialog makes it, in a data home of the test's own.
TEST_F(SettingsTest, RegisterWritesTheAssociationFilesAndRemoveTakesThemAway) {
    qputenv("XDG_DATA_HOME", folder.path().string().c_str());
    // Nothing registered: the desktop's caches are not made either.
    ASSERT_TRUE(ui::RemoveAssociation());
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
    ASSERT_TRUE(ui::RegisterAssociation());
    QFile entry(QString::fromStdString((folder.path() / kAssociationDesktopEntry).string()));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    EXPECT_TRUE(entry.readAll().contains(
        ("\nExec=\"" + QCoreApplication::applicationFilePath() + "\" %f\n").toUtf8()));
    QFile package(QString::fromStdString((folder.path() / kAssociationMimePackage).string()));
    ASSERT_TRUE(package.open(QIODevice::ReadOnly));
    EXPECT_TRUE(package.readAll().contains("<glob pattern=\"*.zfm\"/>"));
    EXPECT_TRUE(std::filesystem::exists(folder.path() / kAssociationTypeIcon));

    ASSERT_TRUE(ui::RemoveAssociation());
    for (const char* file :
         {kAssociationMimePackage, kAssociationDesktopEntry, kAssociationTypeIcon, kMimeAppsList}) {
        EXPECT_FALSE(std::filesystem::exists(folder.path() / file)) << file;
    }
}

}  // namespace
}  // namespace zef::test
