#include <gtest/gtest.h>

#include "AboutTexts.h"
#include "SettingsDialogRules.h"

namespace zef::test {
namespace {

TEST(AboutTextsTest, LibraryVersionShowsTwoDecimalsOfTheLow16Bits) {
    const struct {
        std::uint32_t version;
        const char* shown;
    } cases[] = {
        {100, "zefimage Ver.1.00"},     {123, "zefimage Ver.1.23"},        {5, "zefimage Ver.0.05"},
        {65535, "zefimage Ver.655.35"}, {0x12340064, "zefimage Ver.1.00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LibraryVersionLine(c.version),
                  std::string(c.shown) + "    " + texts::kLibraryAuthorCredit)
            << c.version;
    }
}

TEST(AboutTextsTest, MailLinkCarriesTheSubject) {
    EXPECT_EQ(MailLinkAddress("a@example.org"), "mailto:a@example.org?subject=제프툴에 대하여");
}

TEST(SettingsDialogTest, CheckedExactlyWhenTheSettingIsOnAndOkWritesOneOrZero) {
    for (const std::int32_t stored : {-1, 0, 1, 2}) {
        Settings settings{stored};
        const bool checked = OpenInVtrChecked(settings);
        EXPECT_EQ(checked, stored != 0) << stored;
        AcceptOpenInVtr(settings, checked);
        EXPECT_EQ(settings.openInVtr, checked ? 1 : 0) << stored;
    }
}

}  // namespace
}  // namespace zef::test
