#include "PropertiesSession.h"

#include <algorithm>
#include <optional>

#include "CanvasLimits.h"
#include "DialogTexts.h"
#include "Editor.h"
#include "UnsignedNumber.h"

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

PropertiesSession::PropertiesSession(Editor& editor)
    : editor_(editor), opened_(editor.model().properties), forNewModel_(editor.NewModelMarker()) {}

PropertiesControls PropertiesSession::Controls() const {
    return ControlsFor(editor_.model().properties, opened_.canvasWidth, opened_.canvasHeight);
}

std::string_view PropertiesSession::Caption() const {
    return forNewModel_ ? texts::kNewModelPropertiesCaption : texts::kPropertiesCaption;
}

void PropertiesSession::SetLineWidthPosition(int position) {
    const ModelProperties& properties = editor_.model().properties;
    const std::int32_t width = LineWidthAt(position);
    editor_.model().properties.lineWidth = width;
    editor_.SetColourSlot(kLineSlot, properties.lineColour.red, properties.lineColour.green,
                          properties.lineColour.blue, width);
    editor_.SetColourSlot(kShadowSlot, properties.shadowColour.red, properties.shadowColour.green,
                          properties.shadowColour.blue, width);
}

void PropertiesSession::SetShakePosition(int position) {
    editor_.model().properties.shakeStrength = position;
}

void PropertiesSession::SetSpeedPosition(int position) {
    editor_.model().properties.vtrSpeed = position;
    if (!editor_.renderer().VtrMode()) {
        editor_.renderer().StartReplay();
    }
}

void PropertiesSession::SetNoShadow(bool noShadow) {
    editor_.model().properties.noShadow = noShadow ? 1 : 0;
}

Colour PropertiesSession::SlotColour(int slot) const {
    return zef::SlotColour(editor_.model().properties, slot);
}

void PropertiesSession::SetSlotColour(int slot, Colour colour) {
    editor_.SetColourSlot(slot, colour.red, colour.green, colour.blue,
                          editor_.model().properties.lineWidth);
}

void PropertiesSession::UseAutomaticShadowColour() {
    const ModelProperties& properties = editor_.model().properties;
    SetSlotColour(kShadowSlot,
                  AutomaticShadowColour(properties.lineColour, properties.backgroundColour));
}

void PropertiesSession::UseStandardColourScheme() {
    SetSlotColour(kLineSlot, kStandardLineColour);
    SetSlotColour(kShadowSlot, kStandardShadowColour);
    SetSlotColour(kBackgroundSlot, kStandardBackgroundColour);
}

PropertiesControls PropertiesSession::UseDefaultSettings() {
    PutInForce(kDefaults);
    return ControlsFor(editor_.model().properties, kDefaults.canvasWidth, kDefaults.canvasHeight);
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
    ModelProperties& properties = editor_.model().properties;
    properties.shakeStrength = source.shakeStrength;
    properties.vtrSpeed = source.vtrSpeed;
    properties.noShadow = source.noShadow;
    properties.lineWidth = source.lineWidth;
    SetSlotColour(kLineSlot, source.lineColour);
    SetSlotColour(kShadowSlot, source.shadowColour);
    SetSlotColour(kBackgroundSlot, source.backgroundColour);
}

void PropertiesSession::StopReplay() {
    editor_.renderer().StopReplay();
    editor_.RefreshToolMode();
}

}  // namespace zef
