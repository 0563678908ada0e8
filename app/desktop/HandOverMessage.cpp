#include "app/desktop/HandOverMessage.h"

#include <algorithm>

#include "app/shell/AppTexts.h"

namespace zef {

std::optional<HandOverBlock> EncodeHandOver(std::string_view path) {
    if (path.empty() || path.size() > kLongestHandOverPath ||
        path.find('\0') != std::string_view::npos) {
        return std::nullopt;
    }
    HandOverBlock block{};
    std::copy(path.begin(), path.end(), block.begin());
    return block;
}

std::optional<std::string> DecodeHandOver(std::span<const std::uint8_t> message) {
    if (message.size() != kHandOverSize) {
        return std::nullopt;
    }
    const auto end = std::find(message.begin(), message.end(), std::uint8_t{0});
    if (end == message.end() || end == message.begin()) {
        return std::nullopt;
    }
    return std::string(message.begin(), end);
}

std::string_view SecondStartMessage(HandOverOutcome outcome) {
    switch (outcome) {
        case HandOverOutcome::kDelivered:
            return {};
        case HandOverOutcome::kPathTooLong:
            return texts::kPathTooLong;
        case HandOverOutcome::kNoPath:
        case HandOverOutcome::kNoAnswer:
            break;
    }
    return texts::kAlreadyRunning;
}

}  // namespace zef
