#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/desktop/AssociationFiles.h"
#include "app/desktop/MimeAppsList.h"
#include "app/desktop/PerUserAssociation.h"
#include "tests/TempFolder.h"

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
    std::filesystem::path Data(const char* relative) const { return homes.data / relative; }
    static std::string Read(const std::filesystem::path& path) { return Contents(path); }
    static void Write(const std::filesystem::path& path, const std::string& text) {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }

    TempFolder folder;
    const AssociationHomes homes{folder.path() / "data", folder.path() / "config"};
};

TEST_F(FileAssociationTest, RegisteringTwicePointsOneSetAtTheLatestExecutable) {
    EXPECT_TRUE(RemoveFileAssociation(homes));
    EXPECT_TRUE(std::filesystem::is_empty(folder.path())) << "removing unregistered leaves nothing";
    Write(Data("applications/org.example.zeftool.desktop"), "[Desktop Entry]\n");
    ASSERT_TRUE(RegisterFileAssociation(homes, {"/old place/zeftool", "<mime-info/>", "<svg/>"}));
    ASSERT_TRUE(RegisterFileAssociation(homes, {"/새 폴더/zeftool", "<mime-info/>", "<svg/>"}));
    const std::string entry = Read(Data(kAssociationDesktopEntry));
    EXPECT_NE(entry.find("\nExec=\"/새 폴더/zeftool\" %f\n"), std::string::npos) << entry;
    EXPECT_EQ(entry.find("old place"), std::string::npos);
    EXPECT_EQ(Read(Data(kAssociationMimePackage)), "<mime-info/>");
    EXPECT_EQ(Read(Data(kAssociationTypeIcon)), "<svg/>");

    EXPECT_TRUE(RemoveFileAssociation(homes));
    for (const char* file :
         {kAssociationMimePackage, kAssociationDesktopEntry, kAssociationTypeIcon}) {
        EXPECT_FALSE(std::filesystem::exists(Data(file))) << file;
    }
    EXPECT_TRUE(std::filesystem::exists(Data("applications/org.example.zeftool.desktop")));
}

// The default goes to the config home's list, the one whose defaults win; removing takes it
// out of the data home's older list too. A list that is a link into the user's own files is
// changed where it leads and stays a link, and no list is ever deleted.
TEST_F(FileAssociationTest, TheDefaultIsSetInTheConfigListAndTakenOutOfBothThroughTheirLinks) {
    const std::string none = "(no file)";
    const std::string defaults = "[Default Applications]\n";
    const std::string ours = std::string(kType) + "=" + kOurs + ";";
    const std::string theirs = std::string(kType) + "=other.desktop;\n";
    const std::string edit = "text/plain=ed.desktop;\n";
    // A list's text, or `none`; where a link leads when it is linked.
    struct List {
        std::string text;
        bool linked = false;
    };
    const struct {
        const char* name;
        List config, legacy;
        std::string registered, removed;  // the config list's
        std::string legacyRemoved;
    } cases[] = {
        {"no list", {none}, {none}, defaults + ours + "\n", "", none},
        {"another default",
         {defaults + theirs},
         {none},
         defaults + ours + "other.desktop;\n",
         defaults + theirs,
         none},
        {"linked config list",
         {defaults + edit, true},
         {none},
         defaults + ours + "\n" + edit,
         defaults + edit,
         none},
        {"link to no file yet", {none, true}, {none}, defaults + ours + "\n", "", none},
        {"older list registered before, linked",
         {none},
         {defaults + ours + "\n" + edit, true},
         defaults + ours + "\n",
         "",
         defaults + edit},
    };
    for (const auto& c : cases) {
        TempFolder run;
        const AssociationHomes at{run.path() / "data", run.path() / "config"};
        const auto place = [&](const std::filesystem::path& path, const List& list) {
            const std::filesystem::path target = run.path() / "dotfiles" / path.filename();
            if (list.linked) {
                std::filesystem::create_directories(target.parent_path());
                std::filesystem::create_directories(path.parent_path());
                std::filesystem::create_symlink(target, path);
            }
            if (list.text != none) {
                Write(list.linked ? target : path, list.text);
            }
        };
        const auto listed = [&](const std::filesystem::path& path) {
            return std::filesystem::exists(path) ? Read(path) : none;
        };
        const std::filesystem::path config = at.config / kMimeAppsList;
        const std::filesystem::path legacy = at.data / kLegacyMimeAppsList;
        place(config, c.config);
        place(legacy, c.legacy);

        ASSERT_TRUE(RegisterFileAssociation(at, {"/zeftool", "<mime-info/>", "<svg/>"})) << c.name;
        EXPECT_EQ(listed(config), c.registered) << c.name;
        ASSERT_TRUE(RemoveFileAssociation(at)) << c.name;
        EXPECT_EQ(listed(config), c.removed) << c.name;
        EXPECT_EQ(listed(legacy), c.legacyRemoved) << c.name;
        EXPECT_EQ(std::filesystem::is_symlink(config), c.config.linked) << c.name;
        EXPECT_EQ(std::filesystem::is_symlink(legacy), c.legacy.linked) << c.name;
    }
}

// A folder where the icon goes makes both the icon's write and its removal fail part-way.
TEST_F(FileAssociationTest, AFailedChangeLeavesTheAssociationAsItWas) {
    Write(Data(kLegacyMimeAppsList), WithDefaultApplication("", kType, kOurs));
    ASSERT_TRUE(RegisterFileAssociation(homes, {"/old place/zeftool", "<mime-info/>", "<svg/>"}));
    std::filesystem::remove(Data(kAssociationTypeIcon));
    Write(Data(kAssociationTypeIcon) / "blocked", "");
    const auto files = [this] {
        return Read(Data(kAssociationMimePackage)) + Read(Data(kAssociationDesktopEntry)) +
               Read(homes.config / kMimeAppsList) + Read(Data(kLegacyMimeAppsList));
    };
    const std::string before = files();
    EXPECT_FALSE(RegisterFileAssociation(homes, {"/new place/zeftool", "<mime-info2/>", "<svg/>"}));
    EXPECT_EQ(files(), before);
    EXPECT_FALSE(RemoveFileAssociation(homes));
    EXPECT_EQ(files(), before);
}

}  // namespace
}  // namespace zef::test
