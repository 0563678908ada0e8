#include "app/sessions/ColourPickerSession.h"

#include "app/sessions/ColourSlot.h"
#include "export/UnsignedNumber.h"

namespace zef {
namespace {

constexpr std::array<std::uint8_t, 3> kLevels{0, 127, 255};
constexpr std::uint32_t kLargestChannel = 255;

// The byte of a channel in a colour, const or not.
template <typename ColourType>
auto& ChannelIn(ColourType& colour, Channel channel) {
    switch (channel) {
        case Channel::kRed:
            return colour.red;
        case Channel::kGreen:
            return colour.green;
        case Channel::kBlue:
            break;
    }
    return colour.blue;
}

}  // namespace

Colour SwatchColour(int index) {
    return {kLevels[static_cast<std::size_t>(index % 3)],
            kLevels[static_cast<std::size_t>(index / 3 % 3)],
            kLevels[static_cast<std::size_t>(index / 9)]};
}

ColourPickerSession::ColourPickerSession(ModelProperties& properties, Renderer& renderer, int slot)
    : properties_(properties),
      renderer_(renderer),
      slot_(slot),
      starting_(SlotColour(properties, slot)),
      working_(starting_) {}

std::uint8_t ColourPickerSession::Value(Channel channel) const {
    return ChannelIn(working_, channel);
}

std::string ColourPickerSession::Text(Channel channel) const {
    return UnsignedNumberText(Value(channel));
}

void ColourPickerSession::SetChannel(Channel channel, int position) {
    ChannelIn(working_, channel) = static_cast<std::uint8_t>(position);
}

bool ColourPickerSession::EditChanged(Channel channel, std::string_view text, bool focused) {
    if (!focused) {
        return false;
    }
    const auto value = ReadUnsignedNumber(text);
    if (!value || *value > kLargestChannel) {
        return false;
    }
    ChannelIn(working_, channel) = static_cast<std::uint8_t>(*value);
    return true;
}

void ColourPickerSession::PickSwatch(int index) {
    working_ = SwatchColour(index);
}

void ColourPickerSession::PreviewPainted() {
    renderer_.SetColourSlot(properties_, slot_, working_.red, working_.green, working_.blue,
                            properties_.lineWidth);
}

void ColourPickerSession::Cancel() {
    working_ = starting_;
}

}  // namespace zef
