#include <gtest/gtest.h>

#include "UnsignedNumber.h"

namespace zef::test {
namespace {

TEST(UnsignedNumberTest, ReadsLeadingDigitsAfterBlanks) {
    const struct {
        const char* text;
        std::optional<std::uint32_t> value;
    } cases[] = {
        {"  \t 42", 42},    {"12px", 12},         {"00000000000000004294967295", 4294967295u},
        {"", std::nullopt}, {"+5", std::nullopt}, {"4294967296", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadUnsignedNumber(c.text), c.value) << '"' << c.text << '"';
    }
}

}  // namespace
}  // namespace zef::test
