#include <QCheckBox>
#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include "AboutDialog.h"
#include "DialogTest.h"
#include "SettingsDialog.h"

namespace zef::test {
namespace {

using namespace zef::ui;

using SmallDialogsTest = DialogTest;

TEST_F(SmallDialogsTest, SettingsOkWritesTheBoxAndCancelNothing) {
    const struct {
        std::int32_t stored;
        bool untick;
        bool ok;
        std::int32_t after;
    } cases[] = {
        {-1, false, true, 1},
        {1, true, true, 0},
        {1, true, false, 1},
        {0, false, true, 0},
    };
    for (const auto& c : cases) {
        Settings settings{c.stored};
        SettingsDialog dialog(settings, nullptr);
        auto* box = dialog.findChild<QCheckBox*>("openInVtrCheck");
        EXPECT_EQ(box->isChecked(), c.stored != 0) << c.stored;
        if (c.untick) {
            box->setChecked(false);
        }
        dialog.findChild<QPushButton*>(c.ok ? "okButton" : "cancelButton")->click();
        EXPECT_EQ(settings.openInVtr, c.after) << c.stored;
    }
}

// Receives the addresses the links ask the desktop to open.
class UrlCatcher : public QObject {
    Q_OBJECT

  public:
    QList<QUrl> opened;

  public slots:
    void Open(const QUrl& url) { opened.append(url); }
};

TEST_F(SmallDialogsTest, AboutShowsTheVersionsAndLinksAsWideAsTheirText) {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("mailto", &catcher, "Open");
    QDesktopServices::setUrlHandler("https", &catcher, "Open");
    AboutDialog dialog(100, nullptr);
    dialog.show();
    EXPECT_TRUE(dialog.findChild<QLabel*>("libraryVersionLine")
                    ->text()
                    .startsWith("zefimage Ver.1.00    "));
    for (const char* name : {"mailLink", "distributorLink"}) {
        auto* link = dialog.findChild<QLabel*>(name);
        EXPECT_EQ(link->width(), link->fontMetrics().horizontalAdvance(link->text())) << name;
        EXPECT_TRUE(link->font().underline()) << name;
        EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor) << name;
        QTest::mouseClick(link, Qt::LeftButton);
    }
    QTest::mouseClick(dialog.findChild<QLabel*>("homeSiteAddress"), Qt::LeftButton);
    ASSERT_EQ(catcher.opened.size(), 2);
    EXPECT_EQ(catcher.opened[0].scheme(), "mailto");
    EXPECT_EQ(catcher.opened[0].query(QUrl::FullyDecoded),
              QString::fromUtf8("subject=제프툴에 대하여"));
    EXPECT_EQ(catcher.opened[1].host(), "ko.example.org");
    QDesktopServices::unsetUrlHandler("mailto");
    QDesktopServices::unsetUrlHandler("https");
}

}  // namespace
}  // namespace zef::test

#include "SmallDialogs_test.moc"
