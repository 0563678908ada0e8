#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zef {

// The one reading of a dialog's number edits, below app/ so that the export dialog and the
// dialogs of app/ read their edits alike.
//
// Reads the text of a dialog edit as an unsigned number: blanks (spaces and tabs) before it
// are skipped, then the decimal digits up to the first other character make the value.
// Nothing when there is no digit, or when the value is above 4294967295.
std::optional<std::uint32_t> ReadUnsignedNumber(std::string_view text);

// Whether a value read as an unsigned number stands for a negative number when taken as a
// signed 32-bit one: 2147483648 or more.
constexpr bool IsNegativeAsSigned32(std::uint32_t value) {
    return value >= 0x80000000u;
}

// The text a dialog edit shows for a number: its decimal digits, a negative value shown as
// the unsigned number of the same 32 bits.
std::string UnsignedNumberText(std::int32_t value);

}  // namespace zef
