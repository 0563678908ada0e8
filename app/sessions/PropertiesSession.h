#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/sessions/ColourPickerSession.h"
#include "app/sessions/ColourSlot.h"
#include "app/shell/EditorOperations.h"
#include "canvas/Renderer.h"
#include "model/Colour.h"
#include "model/ModelProperties.h"

namespace zef {

// The trackbar ranges of the properties dialog.
inline constexpr int kLineWidthPositionMax = 8;
inline constexpr int kShakePositionMin = 1;
inline constexpr int kShakePositionMax = 8;
inline constexpr int kSpeedPositionMin = 1;
inline constexpr int kSpeedPositionMax = 150;

// The line width trackbar: positions 0..8 stand for the widths 4, 6, ..., 20.
constexpr std::int32_t LineWidthAt(int position) {
    return 2 * position + 4;
}
constexpr int LineWidthPosition(std::int32_t lineWidth) {
    return (lineWidth - 4) / 2;
}

// The shadow colour that goes with a line and a background colour: their mean, channel by
// channel, rounded down.
Colour AutomaticShadowColour(Colour line, Colour background);

// What the controls of the properties dialog show. The two shadow colour buttons are enabled
// exactly when noShadow is clear.
struct PropertiesControls {
    std::string width;
    std::string height;
    int lineWidthPosition = 0;
    int shakePosition = 0;
    int speedPosition = 0;
    bool noShadow = false;

    friend bool operator==(const PropertiesControls&, const PropertiesControls&) = default;
};

// Why OK leaves the properties dialog open, or that it closed it.
enum class PropertiesVerdict { kAccepted, kWidthOutOfRange, kHeightOutOfRange };

// The message OK shows for a refused size; empty for kAccepted.
std::string_view MessageFor(PropertiesVerdict verdict);

// One run of the model properties dialog on the editor's model properties and the renderer's
// pens. Trackbar and colour changes take effect on the model at once, so the canvas shows them
// while the dialog is open; the canvas size takes effect only on OK; Cancel puts everything
// else back as it was when the dialog opened. While the editor makes a new model, Cancel is
// not offered: closing the dialog in any way means OK.
class PropertiesSession {
  public:
    // Opens the dialog: copies what Cancel restores.
    PropertiesSession(ModelProperties& properties, Renderer& renderer, EditorOperations& editor,
                      bool forNewModel);

    // The controls on opening, the size edits holding the canvas size.
    PropertiesControls Controls() const;
    std::string_view Caption() const;
    // Whether the dialog runs for a new model: no Cancel, and no history entry on OK.
    bool ForNewModel() const { return forNewModel_; }

    // The trackbars moved by the user.
    void SetLineWidthPosition(int position);
    void SetShakePosition(int position);
    // Also starts the replay from its beginning, when it is not running, so that the speed
    // can be watched.
    void SetSpeedPosition(int position);

    void SetNoShadow(bool noShadow);
    Colour SlotColour(int slot) const;
    // The colour picker on a slot; what it picked is the slot's colour after SetSlotColour.
    ColourPickerSession OpenColourPicker(int slot) const;
    // A slot's colour chosen in the colour picker, applied at the current line width.
    void SetSlotColour(int slot, Colour colour);
    void UseAutomaticShadowColour();
    void UseStandardColourScheme();
    // The fixed default settings with the standard colour scheme; the controls to show, the
    // size edits holding 800 x 600 (which take effect only on OK).
    PropertiesControls UseDefaultSettings();

    // Checks the size edits, width first; when both are good, sizes the canvas, records the
    // change in the history (not for a new model; the modified flag follows the history) and
    // stops the replay.
    PropertiesVerdict Ok(std::string_view width, std::string_view height);
    // Restores what the dialog copied when it opened and stops the replay.
    void Cancel();

  private:
    // Everything but the canvas size from `source`, the pens rebuilt at its line width.
    void PutInForce(const ModelProperties& source);
    void StopReplay();

    ModelProperties& properties_;
    Renderer& renderer_;
    EditorOperations& editor_;
    const ModelProperties opened_;
    const bool forNewModel_;
};

}  // namespace zef
