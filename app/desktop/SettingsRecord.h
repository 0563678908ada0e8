#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "app/shell/Settings.h"
#include "model/ModelProperties.h"

namespace zef {

inline constexpr std::size_t kSettingsRecordSize = 52;
inline constexpr std::int32_t kSettingsVersion = 3;

// The main window's top-left corner on the screen.
struct WindowPosition {
    std::int32_t left = 0;
    std::int32_t top = 0;

    friend constexpr bool operator==(const WindowPosition&, const WindowPosition&) = default;
};

// What the program keeps from one run to the next: the 52 bytes of Config.dat. A default
// record is the one a first start without the file gets.
struct SettingsRecord {
    std::int32_t version = kSettingsVersion;
    WindowPosition window;
    std::int32_t openInVtr = 1;
    ModelProperties properties;  // those of the model open at the last exit
    std::array<std::uint8_t, 3> unused{};

    friend constexpr bool operator==(const SettingsRecord&, const SettingsRecord&) = default;
};

// The record in the bytes of an existing file. A file shorter than the record fills only its
// first bytes and the rest reads as zero; bytes beyond the record are ignored. Version 1 or
// less gets the standard model properties, version 2 or less the standard line width; a
// version above 3 is read as 3. The version stays as stored. No value is range-checked.
SettingsRecord DecodeSettingsRecord(std::span<const std::uint8_t> bytes);

// The record as stored: 52 bytes, little-endian.
std::array<std::uint8_t, kSettingsRecordSize> EncodeSettingsRecord(const SettingsRecord& record);

// At start-up: the record's model properties and open-in-VTR setting become the editor's.
void ApplySettingsRecord(const SettingsRecord& record, ModelProperties& properties,
                         Settings& settings);

// At exit: the record to store, at the current version, from the one read at start-up (whose
// unused bytes are kept), the window's restored position and the editor's current model
// properties and settings. Without a position (a window system that does not tell it) the
// position read at start-up is kept.
SettingsRecord SettingsRecordAtExit(const SettingsRecord& read,
                                    std::optional<WindowPosition> restored,
                                    const ModelProperties& properties, const Settings& settings);

}  // namespace zef
