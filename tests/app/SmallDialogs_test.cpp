#include <gtest/gtest.h>

#include "AboutTexts.h"

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

}  // namespace
}  // namespace zef::test
