#include <gtest/gtest.h>

#include "UnsignedNumber.h"

namespace zef::test {
namespace {

TEST(UnsignedNumberTest, ReadsLeadingDigitsAfterBlanks) {
    const struct {
        const char* text;
        std::optional<std::uint32_t> value;
    } cases[] = {
        {"600", 600},
        {"  \t 42", 42},
        {"0010", 10},
        {"12px", 12},
        {"7 8", 7},
        {"4294967295", 4294967295u},
        {"00000000000000004294967295", 4294967295u},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"x12", std::nullopt},
        {"-5", std::nullopt},
        {"+5", std::nullopt},
        {"4294967296", std::nullopt},
        {"99999999999999999999", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadUnsignedNumber(c.text), c.value) << '"' << c.text << '"';
    }
}

}  // namespace
}  // namespace zef::test
