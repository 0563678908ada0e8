#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zef {

// The message a second start sends to the running instance: a block of 256 bytes holding the
// path of the file to open, ended by a NUL.
inline constexpr std::size_t kHandOverSize = 256;
// The longest path a second start sends; a longer one is refused, never cut short.
inline constexpr std::size_t kLongestHandOverPath = 254;

using HandOverBlock = std::array<std::uint8_t, kHandOverSize>;

// The block for a path; nothing when the path is empty, longer than kLongestHandOverPath or
// holds a NUL of its own.
std::optional<HandOverBlock> EncodeHandOver(std::string_view path);

// The path in a received message; nothing unless the message is exactly one block that holds a
// NUL with at least one byte before it. Bytes after the first NUL are ignored.
std::optional<std::string> DecodeHandOver(std::span<const std::uint8_t> message);

// How a second start's attempt to hand its path to the running instance ended.
enum class HandOverOutcome {
    kDelivered,    // the running instance has the path
    kNoPath,       // the command line named no file
    kPathTooLong,  // the path does not fit the block
    kNoAnswer,     // no running instance took the block in time
};

// The message a second start shows before it ends with exit code 0; empty once delivered.
std::string_view SecondStartMessage(HandOverOutcome outcome);

}  // namespace zef
