#include <gtest/gtest.h>

#include <gmock/gmock.h>

#include <QCoreApplication>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "AppTexts.h"
#include "AssociationFiles.h"
#include "DialogTest.h"
#include "DialogTexts.h"
#include "MainWindow.h"
#include "Program.h"
#include "SettingsDialog.h"
#include "SettingsFile.h"
#include "TempFolder.h"

namespace zef::test {
namespace {

class SettingsTest : public DialogTest {
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
    EXPECT_THAT(::testing::internal::GetCapturedStderr(),
                ::testing::StartsWith("zeftool: the settings could not be written to " +
                                      File().string() + "\n"));
    EXPECT_EQ(messages, QStringList{QString::fromUtf8(texts::kSettingsNotSaved)});
    EXPECT_EQ(icons, QList{QMessageBox::Critical});
    EXPECT_TRUE(std::filesystem::is_directory(File()));
}

TEST_F(SettingsTest, ARelativePathOnTheCommandLineIsOpenedByItsWholePath) {
    std::filesystem::copy_file(ZEF_SAMPLE_MODEL, folder.path() / "house.zfm");
    const std::filesystem::path working = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    ui::MainWindow window(1);
    ui::StartEditor(window, "house.zfm", {});
    std::filesystem::current_path(working);
    EXPECT_EQ(window.editor().model().document.path, (folder.path() / "house.zfm").string());
}

// The association as the settings dialog makes it, in a data home of the test's own; a data
// home that is a plain file takes nothing.
TEST_F(SettingsTest, TheAssociationButtonsWriteAndRemoveTheFilesAndTellWhetherTheyDid) {
    Settings settings;
    ui::SettingsDialog dialog(settings, nullptr);
    const auto click = [&](const char* button) {
        dialog.findChild<QPushButton*>(QString::fromLatin1(button))->click();
    };
    qputenv("XDG_DATA_HOME", folder.path().string().c_str());
    // Nothing registered: the desktop's caches are not made either.
    click("removeButton");
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
    click("registerButton");
    QFile entry(QString::fromStdString((folder.path() / kAssociationDesktopEntry).string()));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    EXPECT_TRUE(entry.readAll().contains(
        ("\nExec=\"" + QCoreApplication::applicationFilePath() + "\" %f\n").toUtf8()));
    QFile package(QString::fromStdString((folder.path() / kAssociationMimePackage).string()));
    ASSERT_TRUE(package.open(QIODevice::ReadOnly));
    EXPECT_TRUE(package.readAll().contains("<glob pattern=\"*.zfm\"/>"));
    EXPECT_TRUE(std::filesystem::exists(folder.path() / kAssociationTypeIcon));

    click("removeButton");
    for (const char* file :
         {kAssociationMimePackage, kAssociationDesktopEntry, kAssociationTypeIcon, kMimeAppsList}) {
        EXPECT_FALSE(std::filesystem::exists(folder.path() / file)) << file;
    }

    qputenv("XDG_DATA_HOME", File().string().c_str());
    std::ofstream(File()) << "a file";
    click("registerButton");
    click("removeButton");
    QStringList expected;
    for (const char* text : {texts::kRemoved, texts::kRegistered, texts::kRemoved,
                             texts::kNotRegistered, texts::kNotRemoved}) {
        expected << QString::fromUtf8(text);
    }
    EXPECT_EQ(messages, expected);
    EXPECT_EQ(icons, (QList{QMessageBox::NoIcon, QMessageBox::NoIcon, QMessageBox::NoIcon,
                            QMessageBox::Critical, QMessageBox::Critical}));
}

}  // namespace
}  // namespace zef::test
