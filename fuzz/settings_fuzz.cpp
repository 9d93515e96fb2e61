// The config.ini reader on arbitrary bytes, through the stream the game reads
// the file with. Whatever it read, the settings printed as a config.ini and
// read again must come back the same.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "app/settings.hpp"
#include "check.hpp"

namespace {

// All 37 keys, one "key value" line each, as a player would write them.
std::string printed(const Settings& s) {
    std::string text;
    for (const SettingKey& k : setting_keys) text += std::string(k.name) + ' ' + std::to_string(s.*(k.field)) + '\n';
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    Settings read;
    read_settings_from(in, read);

    std::istringstream again(printed(read));
    Settings reread;
    for (const SettingKey& k : setting_keys) reread.*(k.field) = ~(read.*(k.field));
    read_settings_from(again, reread);
    for (const SettingKey& k : setting_keys)
        require(read.*(k.field) == reread.*(k.field), "setting " + std::string(k.name) + " reads back as printed");

    Settings corrected = read;
    correct_settings(corrected, 2);
    require(corrected.threads >= 1 && corrected.screen_scroll_distance >= 1 && corrected.game_speed_multiplier >= 1,
            "the start-up corrections leave threads, scroll distance and game speed at 1 or more");
    return 0;
}
