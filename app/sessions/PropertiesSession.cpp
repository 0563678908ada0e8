#include "app/sessions/PropertiesSession.h"

#include <algorithm>
#include <optional>

#include "app/shell/DialogTexts.h"
#include "export/UnsignedNumber.h"
#include "model/CanvasLimits.h"

namespace zef {
namespace {

// The default settings: fixed values, whatever the settings file holds.
constexpr ModelProperties kDefaults;

// The side an edit holds when it reads as a number from kMinCanvasSide to `largest`.
std::optional<std::int32_t> SideIn(std::string_view text, std::int32_t largest) {
    const auto value = ReadUnsignedNumber(text);
    if (!value || *value < static_cast<std::uint32_t>(kMinCanvasSide) ||
        *value > static_cast<std::uint32_t>(largest)) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(*value);
}

PropertiesControls ControlsFor(const ModelProperties& properties, std::int32_t width,
                               std::int32_t height) {
    return {UnsignedNumberText(width),
            UnsignedNumberText(height),
            std::clamp(LineWidthPosition(properties.lineWidth), 0, kLineWidthPositionMax),
            std::clamp(properties.shakeStrength, kShakePositionMin, kShakePositionMax),
            std::clamp(properties.vtrSpeed, kSpeedPositionMin, kSpeedPositionMax),
            properties.noShadow != 0};
}

}  // namespace

Colour AutomaticShadowColour(Colour line, Colour background) {
    const auto mean = [](std::uint8_t a, std::uint8_t b) {
        return static_cast<std::uint8_t>((a + b) / 2);
    };
    return {mean(line.red, background.red), mean(line.green, background.green),
            mean(line.blue, background.blue)};
}

std::string_view MessageFor(PropertiesVerdict verdict) {
    switch (verdict) {
        case PropertiesVerdict::kWidthOutOfRange:
            return texts::kWidthOutOfRange;
        case PropertiesVerdict::kHeightOutOfRange:
            return texts::kHeightOutOfRange;
        case PropertiesVerdict::kAccepted:
            break;
    }
    return {};
}

PropertiesSession::PropertiesSession(ModelProperties& properties, Renderer& renderer,
                                     EditorOperations& editor, bool forNewModel)
    : properties_(properties),
      renderer_(renderer),
      editor_(editor),
      opened_(properties),
      forNewModel_(forNewModel) {}

PropertiesControls PropertiesSession::Controls() const {
    return ControlsFor(properties_, opened_.canvasWidth, opened_.canvasHeight);
}

std::string_view PropertiesSession::Caption() const {
    return forNewModel_ ? texts::kNewModelPropertiesCaption : texts::kPropertiesCaption;
}

void PropertiesSession::SetLineWidthPosition(int position) {
    const std::int32_t width = LineWidthAt(position);
    properties_.lineWidth = width;
    const Colour line = properties_.lineColour;
    const Colour shadow = properties_.shadowColour;
    renderer_.SetColourSlot(properties_, kLineSlot, line.red, line.green, line.blue, width);
    renderer_.SetColourSlot(properties_, kShadowSlot, shadow.red, shadow.green, shadow.blue, width);
}

void PropertiesSession::SetShakePosition(int position) {
    properties_.shakeStrength = position;
}

void PropertiesSession::SetSpeedPosition(int position) {
    properties_.vtrSpeed = position;
    if (!renderer_.VtrMode()) {
        renderer_.StartReplay();
    }
}

void PropertiesSession::SetNoShadow(bool noShadow) {
    properties_.noShadow = noShadow ? 1 : 0;
}

Colour PropertiesSession::SlotColour(int slot) const {
    return zef::SlotColour(properties_, slot);
}

ColourPickerSession PropertiesSession::OpenColourPicker(int slot) const {
    return {properties_, renderer_, slot};
}

void PropertiesSession::SetSlotColour(int slot, Colour colour) {
    renderer_.SetColourSlot(properties_, slot, colour.red, colour.green, colour.blue,
                            properties_.lineWidth);
}

void PropertiesSession::UseAutomaticShadowColour() {
    SetSlotColour(kShadowSlot,
                  AutomaticShadowColour(properties_.lineColour, properties_.backgroundColour));
}

void PropertiesSession::UseStandardColourScheme() {
    SetSlotColour(kLineSlot, kStandardLineColour);
    SetSlotColour(kShadowSlot, kStandardShadowColour);
    SetSlotColour(kBackgroundSlot, kStandardBackgroundColour);
}

PropertiesControls PropertiesSession::UseDefaultSettings() {
    PutInForce(kDefaults);
    return ControlsFor(properties_, kDefaults.canvasWidth, kDefaults.canvasHeight);
}

PropertiesVerdict PropertiesSession::Ok(std::string_view width, std::string_view height) {
    const auto canvasWidth = SideIn(width, kMaxCanvasWidth);
    if (!canvasWidth) {
        return PropertiesVerdict::kWidthOutOfRange;
    }
    const auto canvasHeight = SideIn(height, kMaxCanvasHeight);
    if (!canvasHeight) {
        return PropertiesVerdict::kHeightOutOfRange;
    }
    editor_.FitCanvas(*canvasWidth, *canvasHeight);
    if (!forNewModel_) {
        editor_.TakeSnapshot();
    }
    StopReplay();
    return PropertiesVerdict::kAccepted;
}

void PropertiesSession::Cancel() {
    PutInForce(opened_);
    StopReplay();
}

void PropertiesSession::PutInForce(const ModelProperties& source) {
    properties_.shakeStrength = source.shakeStrength;
    properties_.vtrSpeed = source.vtrSpeed;
    properties_.noShadow = source.noShadow;
    properties_.lineWidth = source.lineWidth;
    SetSlotColour(kLineSlot, source.lineColour);
    SetSlotColour(kShadowSlot, source.shadowColour);
    SetSlotColour(kBackgroundSlot, source.backgroundColour);
}

void PropertiesSession::StopReplay() {
    renderer_.StopReplay();
    editor_.RefreshToolMode();
}

}  // namespace zef
