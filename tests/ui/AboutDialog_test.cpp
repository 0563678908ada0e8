#include "ui/AboutDialog.h"
#include "generated/ProgramIdentity.h"
#include "tests/ui/DialogTest.h"

namespace zef::test {
namespace {

using AboutDialogTest = DialogTest;

// Receives the addresses the links ask the desktop to open.
class UrlCatcher : public QObject {
    Q_OBJECT

  public:
    QList<QUrl> opened;

  public slots:
    void Open(const QUrl& url) { opened.append(url); }
};

// The mail and distributor links open their addresses; the home site's address is plain text.
// The first line names the program's version and the image library's shows with two decimals.
TEST_F(AboutDialogTest, TheLinksOpenTheirAddresses) {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("mailto", &catcher, "Open");
    QDesktopServices::setUrlHandler("https", &catcher, "Open");
    ui::AboutDialog dialog(100, nullptr);
    dialog.show();
    EXPECT_EQ(Find<QLabel>(dialog, "versionLine")->text(),
              QStringLiteral("제프툴 %1 -다온비").arg(QString::fromUtf8(kVersion)));
    EXPECT_TRUE(Find<QLabel>(dialog, "libraryVersionLine")->text().startsWith("zefimage Ver.1.00"));
    for (const char* name : {"mailLink", "distributorLink", "homeSiteAddress"}) {
        QTest::mouseClick(Find<QLabel>(dialog, name), Qt::LeftButton);
    }
    ASSERT_EQ(catcher.opened.size(), 2);
    EXPECT_EQ(catcher.opened[0].query(QUrl::FullyDecoded),
              QString::fromUtf8("subject=제프툴에 대하여"));
    EXPECT_EQ(catcher.opened[1].host(), "ko.example.org");
    QDesktopServices::unsetUrlHandler("mailto");
    QDesktopServices::unsetUrlHandler("https");
}

}  // namespace
}  // namespace zef::test

#include "AboutDialog_test.moc"
