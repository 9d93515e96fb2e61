#include "tools/config_report.hpp"

#include <cstdio>
#include <ostream>

#include "app/bindings.hpp"
#include "app/settings.hpp"
#include "tools/tool_input.hpp"

namespace {

// A kind character as printed: itself when it is visible ASCII, else \xNN,
// so that a stray byte in the file cannot garble the output.
std::string shown_kind(char kind) {
    const auto byte = static_cast<unsigned char>(kind);
    if (byte > 32 && byte < 127) return std::string(1, kind);
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
    return escaped;
}

}  // namespace

void print_settings(const std::string& path, std::ostream& out) {
    // The game keeps its defaults silently for a file it cannot read; the tool says why.
    Settings read;
    std::string why;
    if (!read_settings_file(path.c_str(), read, &why)) throw ToolError(why);
    for (const SettingKey& key : setting_keys) out << key.name << ' ' << read.*key.field << '\n';
}

void print_bindings(const std::string& path, std::ostream& out) {
    ControlBindings read;
    std::string why;
    if (!read_bindings_file(path.c_str(), read, &why)) throw ToolError(why);
    for (int i = 0; i < action_count; ++i)
        out << action_names[i] << ' ' << shown_kind(read.kind[i]) << ' ' << read.code[i] << '\n';
}
