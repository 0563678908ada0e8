#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "AssociationFiles.h"
#include "MimeAppsList.h"
#include "PerUserAssociation.h"
#include "TempFolder.h"

namespace zef::test {
namespace {

constexpr const char* kType = "application/x-zeftool-model";
constexpr const char* kOurs = "org.example.zeftool.association.desktop";

TEST(MimeAppsListTest, AddingPutsOursFirstAndRemovingGivesTheListBack) {
    const std::string ours = std::string(kType) + "=" + kOurs + ";";
    const std::string defaults = "[Default Applications]\n";
    const std::string added = "[Added Associations]\ntext/plain=ed.desktop;";
    const std::string others = std::string("[Added Associations]\n") + kType + "=other.desktop;\n";
    const struct {
        std::string before;
        std::string registered;
        std::string removed;
    } cases[] = {
        {"", defaults + ours + "\n", ""},
        {defaults + "text/plain=ed.desktop;\n", defaults + ours + "\ntext/plain=ed.desktop;\n",
         defaults + "text/plain=ed.desktop;\n"},
        {added, added + "\n\n" + defaults + ours + "\n", added + "\n\n"},
        {"# mine\n" + defaults + " " + kType + " = other.desktop;\n" + others,
         "# mine\n" + defaults + ours + "other.desktop;\n" + others,
         "# mine\n" + defaults + kType + "=other.desktop;\n" + others}};
    for (const auto& c : cases) {
        const std::string registered = WithDefaultApplication(c.before, kType, kOurs);
        EXPECT_EQ(registered, c.registered) << c.before;
        EXPECT_EQ(WithDefaultApplication(registered, kType, kOurs), registered) << c.before;
        const std::string removed = WithoutDefaultApplication(registered, kType, kOurs);
        EXPECT_EQ(removed, c.removed) << c.before;
        EXPECT_EQ(WithoutDefaultApplication(removed, kType, kOurs), removed) << c.before;
    }
}

TEST(DesktopExecArgumentTest, QuotesAndEscapesEveryPath) {
    EXPECT_EQ(DesktopExecArgument("/home/a b/제프툴/zeftool"), R"("/home/a b/제프툴/zeftool")");
    EXPECT_EQ(DesktopExecArgument("/a\"b$c`d\\e%f\ng\th"), R"("/a\\"b\\$c\\`d\\\\e%%f\ng\th")");
}

class FileAssociationTest : public ::testing::Test {
  protected:
    std::filesystem::path Path(const char* relative) const { return folder.path() / relative; }
    std::string Read(const char* relative) const {
        std::ifstream file(Path(relative), std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }
    void Write(const char* relative, const std::string& text) const {
        std::filesystem::create_directories(Path(relative).parent_path());
        std::ofstream(Path(relative), std::ios::binary) << text;
    }
    bool Exists(const char* relative) const { return std::filesystem::exists(Path(relative)); }

    TempFolder folder;
};

TEST_F(FileAssociationTest, RegisteringTwicePointsOneSetAtTheLatestExecutable) {
    EXPECT_TRUE(RemoveFileAssociation(folder.path()));
    EXPECT_TRUE(std::filesystem::is_empty(folder.path())) << "removing unregistered leaves nothing";
    Write("applications/org.example.zeftool.desktop", "[Desktop Entry]\n");
    ASSERT_TRUE(
        RegisterFileAssociation(folder.path(), {"/old place/zeftool", "<mime-info/>", "<svg/>"}));
    ASSERT_TRUE(
        RegisterFileAssociation(folder.path(), {"/새 폴더/zeftool", "<mime-info/>", "<svg/>"}));
    const std::string entry = Read(kAssociationDesktopEntry);
    EXPECT_NE(entry.find("\nExec=\"/새 폴더/zeftool\" %f\n"), std::string::npos) << entry;
    EXPECT_EQ(entry.find("old place"), std::string::npos);
    EXPECT_EQ(Read(kAssociationMimePackage), "<mime-info/>");
    EXPECT_EQ(Read(kAssociationTypeIcon), "<svg/>");
    EXPECT_EQ(Read(kMimeAppsList), WithDefaultApplication("", kType, kOurs));

    EXPECT_TRUE(RemoveFileAssociation(folder.path()));
    for (const char* file :
         {kAssociationMimePackage, kAssociationDesktopEntry, kAssociationTypeIcon, kMimeAppsList}) {
        EXPECT_FALSE(Exists(file)) << file;
    }
    EXPECT_TRUE(Exists("applications/org.example.zeftool.desktop"));
}

// A folder where the icon goes makes both the icon's write and its removal fail part-way.
TEST_F(FileAssociationTest, AFailedChangeLeavesTheAssociationAsItWas) {
    ASSERT_TRUE(
        RegisterFileAssociation(folder.path(), {"/old place/zeftool", "<mime-info/>", "<svg/>"}));
    std::filesystem::remove(Path(kAssociationTypeIcon));
    Write((std::string(kAssociationTypeIcon) + "/blocked").c_str(), "");
    const auto files = [this] {
        return Read(kAssociationMimePackage) + Read(kAssociationDesktopEntry) + Read(kMimeAppsList);
    };
    const std::string before = files();
    EXPECT_FALSE(
        RegisterFileAssociation(folder.path(), {"/new place/zeftool", "<mime-info2/>", "<svg/>"}));
    EXPECT_EQ(files(), before);
    EXPECT_FALSE(RemoveFileAssociation(folder.path()));
    EXPECT_EQ(files(), before);
}

}  // namespace
}  // namespace zef::test
