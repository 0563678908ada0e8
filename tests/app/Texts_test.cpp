#include <gtest/gtest.h>

#include "FakeShell.h"
#include "FilePaths.h"
#include "StatusTexts.h"

namespace zef::test {
namespace {

TEST(StatusTextsTest, CountAndSizeAreSentOnlyWhenTheyChange) {
    FakeShell shell;
    StatusTexts status(shell);
    status.UpdateSizePane(640, 480);
    status.UpdateSizePane(640, 480);
    status.UpdateCountPane(0);
    status.UpdateCountPane(0);
    status.UpdateCountPane(-12);
    EXPECT_EQ(shell.calls,
              (std::vector<std::string>{"SetStatusText 2 640 Ⅹ 480", "SetStatusText 0 선 갯수 : 0",
                                        "SetStatusText 0 선 갯수 : -12"}));
}

TEST(FilePathsTest, TitlesEndingsAndCommandLines) {
    EXPECT_EQ(FileTitleOf("/a/b/c.zfm"), "c.zfm");
    EXPECT_EQ(FileTitleOf("c.zfm"), "c.zfm");
    EXPECT_EQ(PathFromCommandLine("\"/my \"dir/a.zfm\""), "/my dir/a.zfm");
    EXPECT_EQ(InCurrentFormat("/d/a.zf2"), "/d/a.zfm");
    EXPECT_EQ(InCurrentFormat("a.ZF2"), "a.zfm") << "an older file is never overwritten";
    EXPECT_EQ(InCurrentFormat("a.ZFM"), "a.ZFM");
    EXPECT_EQ(InCurrentFormat("zf2"), "zf2");
}

}  // namespace
}  // namespace zef::test
