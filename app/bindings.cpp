#include "app/bindings.hpp"

#include <istream>
#include <optional>
#include <sstream>

#include "app/atomic_file.hpp"
#include "app/file_reading.hpp"

namespace {

// Reads a binding's code: an unsigned decimal number that fits 32 bits.
// Nothing for a word, a minus sign (which the stream would wrap, "-5" to
// 4294967291) or a number beyond 32 bits; the caller treats all three alike.
std::optional<uint32_t> read_code(std::istream& in) {
    in >> std::ws;
    if (in.peek() == '-') return std::nullopt;
    uint32_t code = 0;
    if (!(in >> code)) return std::nullopt;
    return code;
}

}  // namespace

std::string read_bindings() {
    std::string why;
    ReadFailure failure = ReadFailure::none;
    const auto text = read_file(bindings_file_path, bindings_file, why, &failure);
    if (!text) return failure == ReadFailure::refused ? why : std::string();
    std::istringstream in(*text);
    read_bindings_from(in, bindings);
    return {};
}

// Each action is a kind character and a code, white space allowed before
// either. An action is only changed by a complete pair, so a file cut short
// leaves every action from the cut on at its default; a malformed code binds
// its action to the kind just read with code 0 and ends the reading.
void read_bindings_from(std::istream& in, ControlBindings& out) {
    for (int action = 0; action < action_count; ++action) {
        char kind = 0;
        if (!(in >> kind)) return;
        in >> std::ws;
        if (in.eof()) return;
        const auto code = read_code(in);
        out.kind[action] = kind;
        out.code[action] = code.value_or(0);
        if (!code) return;
    }
}

bool read_bindings_file(const char* path, ControlBindings& out, std::string* why) {
    std::string reason;
    const auto text = read_file(path, bindings_file, reason);
    if (why) *why = reason;
    if (!text) return false;
    std::istringstream in(*text);
    read_bindings_from(in, out);
    return true;
}

// Kind and decimal code per action, in action order, with no separators.
std::string format_bindings(const ControlBindings& b) {
    std::string text;
    for (int action = 0; action < action_count; ++action) {
        text += b.kind[action];
        text += std::to_string(b.code[action]);
    }
    return text;
}

// Replaced whole through a synced temporary file, so a crash or a full disk
// mid-write leaves the old bindings readable rather than a torn file.
bool write_bindings_file(const char* path, const ControlBindings& b, std::string* why) {
    return write_file_atomically(path, format_bindings(b), why);
}

std::string save_bindings(const ControlBindings& b, const std::string& unread, const char* path) {
    if (!unread.empty()) return unread;
    std::string why;
    return write_bindings_file(path, b, &why) ? std::string() : why;
}
