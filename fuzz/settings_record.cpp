// Feeds arbitrary bytes to the settings reader as the contents of Config.dat.

#include <cstddef>
#include <cstdint>
#include <span>

#include "app/desktop/SettingsRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const zef::SettingsRecord read = zef::DecodeSettingsRecord(std::span(data, size));
    // Whatever was read is stored so that reading it again gives the same record.
    if (zef::DecodeSettingsRecord(zef::EncodeSettingsRecord(read)) != read) {
        __builtin_trap();
    }
    return 0;
}
