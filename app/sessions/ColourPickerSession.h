#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "canvas/Renderer.h"
#include "model/Colour.h"
#include "model/ModelProperties.h"

namespace zef {

// The 27 swatches of the colour picker, nine to a row: swatch i has the red L[i mod 3], the
// green L[(i div 3) mod 3] and the blue L[i div 9] with L = {0, 127, 255}.
inline constexpr int kSwatchCount = 27;
inline constexpr int kSwatchColumns = 9;
Colour SwatchColour(int index);

enum class Channel { kRed, kGreen, kBlue };
inline constexpr std::array<Channel, 3> kChannels{Channel::kRed, Channel::kGreen, Channel::kBlue};

// One run of the colour picker on a colour slot of the model properties. The working colour is
// applied to the slot whenever the preview is painted, so the canvas shows it at once; Cancel
// puts the colour the picker started with back into the working colour. The caller applies
// the working colour to the slot once more after the picker closed, whichever way.
class ColourPickerSession {
  public:
    ColourPickerSession(ModelProperties& properties, Renderer& renderer, int slot);

    Colour Working() const { return working_; }
    std::uint8_t Value(Channel channel) const;
    // The text of a channel's edit.
    std::string Text(Channel channel) const;

    // A channel's trackbar moved to a position 0..255.
    void SetChannel(Channel channel, int position);
    // A channel's edit changed. Acted on only while the edit has the focus and its text reads
    // as a number up to 255; true when the channel took the value, so that its trackbar is to
    // follow. Otherwise nothing changes and the edit keeps what was typed.
    bool EditChanged(Channel channel, std::string_view text, bool focused);
    void PickSwatch(int index);

    // The preview patch is being painted in the working colour: the slot takes it too.
    void PreviewPainted();
    void Cancel();

  private:
    ModelProperties& properties_;
    Renderer& renderer_;
    const int slot_;
    const Colour starting_;
    Colour working_;
};

}  // namespace zef
