#include "HandOverMessage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zef {
namespace {

TEST(HandOverMessageTest, APathTravelsWholeOrNotAtAll) {
    struct Case {
        std::string path;
        bool sent;
    };
    const Case cases[] = {
        {"/home/u/그림 모델.zfm", true},
        {"/" + std::string(253, 'a'), true},
        {"/" + std::string(254, 'a'), false},
        {"/" + std::string(300, 'a'), false},
        {"", false},
        {std::string("/a\0b.zfm", 8), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.size());
        const std::optional<HandOverBlock> block = EncodeHandOver(c.path);
        ASSERT_EQ(block.has_value(), c.sent);
        if (block) {
            EXPECT_EQ(DecodeHandOver(*block), c.path);
        }
    }
}

TEST(HandOverMessageTest, OnlyOneWholeBlockWithAPathAndANulIsAccepted) {
    std::vector<std::uint8_t> block(256, 'x');
    block[3] = 0;
    EXPECT_EQ(DecodeHandOver(block), "xxx") << "what follows the NUL is ignored";
    block[255] = 0;
    block[3] = 'x';
    EXPECT_EQ(DecodeHandOver(block), std::string(255, 'x'));

    const std::vector<std::vector<std::uint8_t>> refused = {
        {},
        std::vector<std::uint8_t>(255, 0),
        std::vector<std::uint8_t>(257, 0),
        std::vector<std::uint8_t>(256, 'x'),
        std::vector<std::uint8_t>(256, 0),
    };
    for (const std::vector<std::uint8_t>& message : refused) {
        SCOPED_TRACE(message.size());
        EXPECT_FALSE(DecodeHandOver(message));
    }
}

}  // namespace
}  // namespace zef
