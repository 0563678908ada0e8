#include <QCoreApplication>
#include <QFile>
#include <filesystem>

#include "AssociationFiles.h"
#include "DialogTest.h"
#include "FileAssociation.h"
#include "TempFolder.h"

namespace zef::test {
namespace {

using namespace zef::ui;

// The association as the settings dialog makes it, in a data home of the test's own.
class FileAssociationTest : public ::testing::Test {
  protected:
    FileAssociationTest() { qputenv("XDG_DATA_HOME", folder.path().string().c_str()); }
    ~FileAssociationTest() override { qunsetenv("XDG_DATA_HOME"); }

    bool Exists(const char* relative) const {
        return std::filesystem::exists(folder.path() / relative);
    }

    TempFolder folder;
};

TEST_F(FileAssociationTest, RegisterWritesTheProgramsFilesAndRemoveTakesThemAway) {
    // Nothing registered: the desktop's caches are not made either.
    ASSERT_TRUE(RemoveAssociation());
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
    ASSERT_TRUE(RegisterAssociation());
    QFile entry(QString::fromStdString((folder.path() / kAssociationDesktopEntry).string()));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    EXPECT_TRUE(entry.readAll().contains(
        ("\nExec=\"" + QCoreApplication::applicationFilePath() + "\" %f\n").toUtf8()));
    QFile package(QString::fromStdString((folder.path() / kAssociationMimePackage).string()));
    ASSERT_TRUE(package.open(QIODevice::ReadOnly));
    EXPECT_TRUE(package.readAll().contains("<glob pattern=\"*.zfm\"/>"));
    EXPECT_TRUE(Exists(kAssociationTypeIcon));

    ASSERT_TRUE(RemoveAssociation());
    for (const char* file :
         {kAssociationMimePackage, kAssociationDesktopEntry, kAssociationTypeIcon, kMimeAppsList}) {
        EXPECT_FALSE(Exists(file)) << file;
    }
}

}  // namespace
}  // namespace zef::test
