#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>

#include "BmpExportDialog.h"
#include "DialogTest.h"
#include "ExportTexts.h"
#include "GifExportDialog.h"
#include "TempFolder.h"

namespace zef::test {
namespace {

using namespace zef::ui;

class ExportDialogTest : public DialogTest {
  protected:
    ExportDialogTest() {
        editor.FitCanvas(80, 60);
        editor.model().AppendPoint(10, 10, false);
        editor.model().AppendPoint(70, 50, true);
    }

    std::unique_ptr<ExportDialog> Open(ExportFormat format) {
        std::unique_ptr<ExportDialog> dialog;
        if (format == ExportFormat::kGif) {
            dialog = std::make_unique<GifExportDialog>(editor, shell, nullptr);
        } else {
            dialog = std::make_unique<BmpExportDialog>(editor, shell, nullptr);
        }
        dialog->show();
        return dialog;
    }
    static QString Text(QDialog& dialog, const char* name) {
        return Find<QLabel>(dialog, name)->text();
    }
    static void Set(QDialog& dialog, const char* edit, const std::string& text) {
        Find(dialog, edit)->setText(QString::fromStdString(text));
    }
    static void Save(QDialog& dialog) { Find<QPushButton>(dialog, "saveButton")->click(); }

    TempFolder folder;
};

TEST_F(ExportDialogTest, TheFocusedSideKeepsTheRatioAndTheOptionsCarryToTheNextDialog) {
    auto bmp = Open(ExportFormat::kBmp);
    QApplication::setActiveWindow(bmp.get());
    QLineEdit* width = Find(*bmp, "widthEdit");
    QLineEdit* height = Find(*bmp, "heightEdit");
    width->setFocus();
    width->clear();
    QTest::keyClicks(width, "40");
    EXPECT_EQ(height->text(), "30");
    height->setText("7");
    EXPECT_EQ(width->text(), "40");
    EXPECT_EQ(Text(*bmp, "megabytesLabel"), "     0.001");  // 40 x 7 x 5 bytes
    Find<QPushButton>(*bmp, "restoreSizeButton")->click();
    EXPECT_EQ(width->text() + "x" + height->text(), "80x60");
    Find<QRadioButton>(*bmp, "stillRadio")->click();
    EXPECT_FALSE(Find(*bmp, "endWaitEdit")->isEnabled());
    bmp->reject();
    EXPECT_EQ(editor.exportOptions().kind, kExportStill);

    auto gif = Open(ExportFormat::kGif);
    EXPECT_TRUE(Find<QRadioButton>(*gif, "shakingRadio")->isChecked());
    EXPECT_EQ(editor.exportOptions().kind, kExportShaking);
    Find<QSlider>(*gif, "smoothnessSlider")->setValue(3);
    Set(*gif, "endWaitEdit", "soon");
    Set(*gif, "pathEdit", folder.PathOf("shake"));
    Save(*gif);
    EXPECT_EQ(messages, QStringList{QString::fromUtf8(texts::kGifSaved)});
    EXPECT_TRUE(std::filesystem::exists(folder.PathOf("shake.gif")));
    EXPECT_EQ(editor.exportOptions().endWait, 5);
    EXPECT_EQ(Find<QSlider>(*Open(ExportFormat::kGif), "smoothnessSlider")->value(), 12);
}

// While the frames are rendered no key and not the close box stop the export, and the canvas
// rests.
TEST_F(ExportDialogTest, AnExportAsksBeforeOverwritingAndWritesTheFilesShowingItsProgress) {
    // No to the overwrite question keeps the file and the dialog.
    auto bmp = Open(ExportFormat::kBmp);
    const std::string first = folder.PathOf("old0000.bmp");
    std::ofstream(first) << "old";
    Set(*bmp, "pathEdit", folder.PathOf("old.bmp"));
    Save(*bmp);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QString::fromStdString(first)));
    EXPECT_TRUE(bmp->isVisible() && Find<QPushButton>(*bmp, "saveButton")->isEnabled());
    EXPECT_EQ(std::filesystem::file_size(first), 3u);
    messages.clear();
    Set(*bmp, "pathEdit", folder.PathOf("walk"));
    bool keptOpen = false;
    auto* progress = Find<QProgressBar>(*bmp, "progressBar");
    QObject::connect(progress, &QProgressBar::valueChanged, bmp.get(), [&](int value) {
        if (value == 1) {
            QWidget* focused = bmp->focusWidget() != nullptr ? bmp->focusWidget() : bmp.get();
            for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Space}) {
                QTest::keyClick(focused, key);
            }
            bmp->close();
            keptOpen = bmp->isVisible() && editor.ExportRunning() &&
                       Find<QPushButton>(*bmp, "cancelButton")->isEnabled() &&
                       !Find<QPushButton>(*bmp, "saveButton")->isEnabled();
        }
    });
    Save(*bmp);
    EXPECT_TRUE(keptOpen);
    EXPECT_EQ(messages, QStringList{QString::fromUtf8(texts::kBmpSaved)});
    EXPECT_TRUE(std::filesystem::exists(folder.PathOf("walk0004.bmp")));
    EXPECT_EQ(Text(*bmp, "statusLabel"), QString::fromUtf8(texts::kExportFinished));
    EXPECT_EQ(progress->value(), 5);
    EXPECT_FALSE(bmp->isVisible() || editor.ExportRunning());
    EXPECT_EQ(shell.foregrounds, 1);
}

// Cancel stops the export after the frame in hand and closes the dialog without a message,
// the options remembered as Cancel remembers them: the slider's smoothness, which a finished
// shaking or still-image export would not keep.
TEST_F(ExportDialogTest, CancelDuringAnExportLeavesTheFolderAsItWas) {
    struct Case {
        ExportFormat format;
        const char* kind;
        std::int32_t kindValue;
        int cancelAt;
    };
    const Case cases[] = {
        {ExportFormat::kGif, "vtrRadio", kExportVtr, 1},
        {ExportFormat::kBmp, "stillRadio", kExportStill, 1},
        {ExportFormat::kBmp, "shakingRadio", kExportShaking, 5},
    };
    const std::string old = folder.PathOf("walk0003.bmp");
    std::ofstream(old) << "old";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        auto dialog = Open(c.format);
        Find<QRadioButton>(*dialog, c.kind)->click();
        Find<QSlider>(*dialog, "smoothnessSlider")->setValue(3);
        Set(*dialog, "pathEdit", folder.PathOf(c.format == ExportFormat::kGif ? "a.gif" : "walk"));
        auto* progress = Find<QProgressBar>(*dialog, "progressBar");
        QObject::connect(progress, &QProgressBar::valueChanged, dialog.get(), [&](int value) {
            if (value == c.cancelAt) {
                QTest::mouseClick(Find<QPushButton>(*dialog, "cancelButton"), Qt::LeftButton);
            }
        });
        Save(*dialog);
        EXPECT_TRUE(messages.isEmpty());
        EXPECT_FALSE(dialog->isVisible() || editor.ExportRunning());
        EXPECT_EQ(Text(*dialog, "statusLabel"), QString::fromUtf8(texts::kExportCancelled));
        EXPECT_EQ(progress->value(), c.cancelAt);
        EXPECT_EQ(editor.exportOptions().kind, c.kindValue);
        EXPECT_EQ(editor.exportOptions().smoothness, 3);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
        std::string content;
        std::ifstream(old) >> content;
        EXPECT_EQ(content, "old");
    }
}

TEST_F(ExportDialogTest, AFailedExportEndsWithTheFailureMessage) {
    auto gif = Open(ExportFormat::kGif);
    Set(*gif, "pathEdit", folder.PathOf("a.gif"));
    Set(*gif, "widthEdit", "70000");
    Save(*gif);
    EXPECT_EQ(messages, QStringList{QString::fromUtf8(texts::kGifFailed)});
    EXPECT_FALSE(gif->isVisible());
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].text, texts::kGifNoWorkBuffer);
    EXPECT_EQ(shell.messages[0].icon, MessageIcon::kError);
}

}  // namespace
}  // namespace zef::test
