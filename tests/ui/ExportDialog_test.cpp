#include <filesystem>
#include <fstream>
#include <memory>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "export/ExportTexts.h"
#include "tests/ui/DialogTest.h"
#include "ui/ExportDialog.h"

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
        auto dialog = std::make_unique<ExportDialog>(editor.exportHost(), shell, format, nullptr);
        dialog->show();
        return dialog;
    }
    static void Set(QDialog& dialog, const char* edit, const std::string& text) {
        Find(dialog, edit)->setText(QString::fromStdString(text));
    }
    static void Save(QDialog& dialog) { Find<QPushButton>(dialog, "saveButton")->click(); }

    ExportOptions& options = editor.exportHost().Options();
};

TEST_F(ExportDialogTest, TheFocusedSideKeepsTheRatioTheKindCarriesOverAndCancelStopsAnExport) {
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
    EXPECT_EQ(Find<QLabel>(*bmp, "megabytesLabel")->text(), "     0.001");  // 40 x 7 x 5 bytes
    Find<QPushButton>(*bmp, "restoreSizeButton")->click();
    EXPECT_EQ(width->text() + "x" + height->text(), "80x60");
    Find<QRadioButton>(*bmp, "stillRadio")->click();
    EXPECT_FALSE(Find(*bmp, "endWaitEdit")->isEnabled());
    bmp->reject();
    EXPECT_EQ(options.kind, ExportKind::kStill);

    auto gif = Open(ExportFormat::kGif);
    EXPECT_TRUE(Find<QRadioButton>(*gif, "shakingRadio")->isChecked());
    EXPECT_EQ(options.kind, ExportKind::kShaking);

    // Cancel during an export closes the dialog silently.
    Find<QRadioButton>(*gif, "vtrRadio")->click();
    Find<QSlider>(*gif, "smoothnessSlider")->setValue(3);
    Set(*gif, "pathEdit", folder.PathOf("a.gif"));
    auto* progress = Find<QProgressBar>(*gif, "progressBar");
    QObject::connect(progress, &QProgressBar::valueChanged, gif.get(), [&](int value) {
        if (value == 1) {
            QTest::mouseClick(Find<QPushButton>(*gif, "cancelButton"), Qt::LeftButton);
        }
    });
    Save(*gif);
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(gif->isVisible() || editor.ExportRunning());
    EXPECT_EQ(Find<QLabel>(*gif, "statusLabel")->text(),
              QString::fromUtf8(texts::kExportCancelled));
    EXPECT_EQ(progress->value(), 1);
    EXPECT_EQ(options.kind, ExportKind::kVtr);
    EXPECT_EQ(options.smoothness, 3);
}

// While the frames are rendered no key and not the close box stop the export.
TEST_F(ExportDialogTest, AnExportWritesTheFilesShowingItsProgress) {
    auto bmp = Open(ExportFormat::kBmp);
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
    EXPECT_EQ(messages, std::vector<std::string>{texts::kBmpSaved});
    EXPECT_TRUE(std::filesystem::exists(folder.PathOf("walk0004.bmp")));
    EXPECT_EQ(Find<QLabel>(*bmp, "statusLabel")->text(), QString::fromUtf8(texts::kExportFinished));
    EXPECT_EQ(progress->value(), 5);
    EXPECT_FALSE(bmp->isVisible() || editor.ExportRunning());
}

TEST_F(ExportDialogTest, AWebpPathKeepsTheTransparencyBoxWithAntiAliasingAndWritesAWebp) {
    auto gif = Open(ExportFormat::kGif);
    auto* transparent = Find<QCheckBox>(*gif, "transparentCheck");
    Find<QRadioButton>(*gif, "antiAliasingRadio")->click();
    Set(*gif, "pathEdit", folder.PathOf("a.gif"));
    EXPECT_FALSE(transparent->isEnabled());
    Set(*gif, "pathEdit", folder.PathOf("a.WEBP"));
    EXPECT_TRUE(transparent->isEnabled());
    transparent->click();
    Save(*gif);
    EXPECT_EQ(messages, std::vector<std::string>{texts::kWebpSaved});
    std::string riff(12, '\0');
    std::ifstream(folder.PathOf("a.WEBP"), std::ios::binary).read(riff.data(), 12);
    EXPECT_EQ(riff.substr(8), "WEBP");
    EXPECT_EQ(options.transparentBackground, 1);

    // Browse gives a typed name the ending of the type chosen.
    gif = Open(ExportFormat::kGif);
    QTimer::singleShot(0, gif.get(), [this] {
        auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(chooser, nullptr);
        QTest::keyClick(Find<QComboBox>(*chooser, "fileTypeCombo"), Qt::Key_Down);
        QLineEdit* name = Find(*chooser, "fileNameEdit");
        name->setText(QString::fromStdString(folder.PathOf("anim")));
        QTest::keyClick(name, Qt::Key_Return);
    });
    Find<QPushButton>(*gif, "browseButton")->click();
    EXPECT_EQ(Find(*gif, "pathEdit")->text().toStdString(), folder.PathOf("anim.webp"));
}

// The pane plays the animation and pauses on a click; it tells the exact size of the file,
// which Copy hands to the clipboard as a file and as a GIF, and which OK places; under a size
// limit the file is made smaller to fit.
TEST_F(ExportDialogTest, ThePanePlaysTellsTheSizeCopiesTheFileAndFitsALimit) {
    qputenv("XDG_CACHE_HOME", QByteArray::fromStdString(folder.PathOf("cache")));
    auto gif = Open(ExportFormat::kGif);
    Find<QRadioButton>(*gif, "vtrRadio")->click();
    Set(*gif, "pathEdit", folder.PathOf("a.gif"));
    auto* preview = gif->findChild<PreviewPlayer*>("preview");
    QTRY_VERIFY(preview->FrameShowing() > 0);
    QTest::mouseClick(preview, Qt::LeftButton);
    const qint64 paused = preview->FrameShowing();
    QTest::qWait(200);
    EXPECT_TRUE(preview->Paused());
    EXPECT_EQ(preview->FrameShowing(), paused);
    QTest::mouseClick(preview, Qt::LeftButton);
    QTRY_VERIFY(preview->FrameShowing() != paused);

    auto* copy = Find<QPushButton>(*gif, "copyButton");
    QTRY_VERIFY_WITH_TIMEOUT(copy->isEnabled(), 30000);
    const QString summary = Find<QLabel>(*gif, "summaryLabel")->text();
    const auto size = summary.section(QStringLiteral("파일 크기 "), 1).section("바이트", 0, 0);
    const qsizetype bytes = QString(size).remove(',').toLongLong();
    copy->click();
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    ASSERT_EQ(copied->urls().size(), 1);
    const QString cached = copied->urls()[0].toLocalFile();
    EXPECT_EQ(cached.toStdString(), folder.PathOf("cache/zeftool/a.gif"));
    EXPECT_EQ(copied->data("image/gif").size(), bytes);
    EXPECT_EQ(copied->data("x-special/gnome-copied-files"),
              "copy\n" + copied->urls()[0].toEncoded());
    Save(*gif);
    EXPECT_EQ(messages, std::vector<std::string>{texts::kGifSaved});
    EXPECT_EQ(static_cast<qsizetype>(std::filesystem::file_size(folder.PathOf("a.gif"))), bytes);

    gif = Open(ExportFormat::kGif);
    Set(*gif, "pathEdit", folder.PathOf("b.gif"));
    Find<QCheckBox>(*gif, "limitCheck")->click();
    Set(*gif, "limitEdit", std::to_string(bytes / 2000));
    QTRY_VERIFY_WITH_TIMEOUT(Find<QPushButton>(*gif, "copyButton")->isEnabled(), 60000);
    Save(*gif);
    EXPECT_LE(std::filesystem::file_size(folder.PathOf("b.gif")) * 2,
              static_cast<std::uintmax_t>(bytes));
}

}  // namespace
}  // namespace zef::test
