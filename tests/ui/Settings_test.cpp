#include <gtest/gtest.h>

#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/desktop/AssociationFiles.h"
#include "app/desktop/SettingsFile.h"
#include "app/shell/AppTexts.h"
#include "app/shell/DialogTexts.h"
#include "tests/ui/DialogTest.h"
#include "ui/MainWindow.h"
#include "ui/Program.h"
#include "ui/SettingsDialog.h"

namespace zef::test {
namespace {

class SettingsTest : public DialogTest {
  protected:
    ~SettingsTest() override {
        qunsetenv("XDG_DATA_HOME");
        qunsetenv("XDG_CONFIG_HOME");
    }
    std::filesystem::path File() const { return folder.path() / "Config.dat"; }
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
    ui::MainWindow second(2);
    ui::StartEditor(second, "", ReadSettingsFile(File()));
    EXPECT_EQ(second.pos(), QPoint(120, 80));
    EXPECT_EQ(second.canvas().ClientSize(), (CanvasSize{320, 240}));
    second.editor().FrameTick();
    EXPECT_EQ(second.canvas().PresentedFrame().pixelColor(5, 5), QColor(255, 0, 0));
}

TEST_F(SettingsTest, APlaceOffEveryScreenGoesToThePrimaryAndAFailedWriteIsTold) {
    std::filesystem::create_directory(File());
    SettingsRecord read;
    read.window = {-30000, 40000};
    ui::MainWindow window(1);
    ui::StartEditor(window, "", read);
    EXPECT_EQ(window.pos(), QGuiApplication::primaryScreen()->availableGeometry().topLeft());
    ui::ShutDown(window, File(), read);
    EXPECT_EQ(messages, std::vector<std::string>{texts::kSettingsNotSaved});
    EXPECT_EQ(icons, QList{QMessageBox::Critical});
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

// OK writes the box, Cancel leaves it; the association buttons say whether they did, and a data
// home that is a plain file takes no association.
TEST_F(SettingsTest, TheSettingsDialogWritesTheBoxOnOkAndTheAssociationAtOnce) {
    Settings settings{-1};
    ui::SettingsDialog dialog(settings, nullptr);
    const auto click = [&](const char* button) { Find<QPushButton>(dialog, button)->click(); };
    auto* box = Find<QCheckBox>(dialog, "openInVtrCheck");
    EXPECT_TRUE(box->isChecked());
    box->setChecked(false);
    click("cancelButton");
    EXPECT_EQ(settings.openInVtr, -1);
    click("okButton");
    EXPECT_EQ(settings.openInVtr, 0);
    const auto read = [&](const char* file) {
        std::ifstream in(folder.path() / file);
        return std::string{std::istreambuf_iterator<char>(in), {}};
    };
    qputenv("XDG_DATA_HOME", folder.path().string().c_str());
    qputenv("XDG_CONFIG_HOME", (folder.path() / "config").string().c_str());
    // Nothing registered: no desktop caches are made either.
    click("removeButton");
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
    click("registerButton");
    using ::testing::HasSubstr;
    EXPECT_THAT(
        read(kAssociationDesktopEntry),
        HasSubstr("\nExec=\"" + QCoreApplication::applicationFilePath().toStdString() + "\" %f\n"));
    EXPECT_THAT(read(kAssociationMimePackage), HasSubstr("<glob pattern=\"*.zfm\"/>"));
    EXPECT_THAT(read(kAssociationTypeIcon), HasSubstr("<svg"));
    EXPECT_THAT(read("config/mimeapps.list"), HasSubstr(kAssociationDesktopId));
    click("removeButton");

    qputenv("XDG_DATA_HOME", File().string().c_str());
    std::ofstream(File()) << "a file";
    click("registerButton");
    click("removeButton");
    EXPECT_EQ(messages,
              (std::vector<std::string>{texts::kRemoved, texts::kRegistered, texts::kRemoved,
                                        texts::kNotRegistered, texts::kNotRemoved}));
    EXPECT_EQ(icons, (QList{QMessageBox::NoIcon, QMessageBox::NoIcon, QMessageBox::NoIcon,
                            QMessageBox::Critical, QMessageBox::Critical}));
}

}  // namespace
}  // namespace zef::test
