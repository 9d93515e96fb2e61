// The controls.cfg reader on arbitrary bytes, through the stream the game
// reads the file with. Bindings written and read back must be equal.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "app/bindings.hpp"
#include "check.hpp"

namespace {

// A kind the packed form can carry: one that is not white space (skipped by
// the reader) and not a digit (it would run into the code before it). The
// controls menu only ever writes 'k' and 'm'.
bool writable_kind(char kind) {
    const bool space = kind == ' ' || (kind >= '\t' && kind <= '\r');
    return !space && !(kind >= '0' && kind <= '9');
}

void require_round_trip(const ControlBindings& b) {
    std::istringstream in(format_bindings(b));
    ControlBindings back;
    back.kind.fill('x');
    back.code.fill(12345);
    read_bindings_from(in, back);
    require(back.kind == b.kind && back.code == b.code, "bindings written and read back are equal");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    ControlBindings read;
    read_bindings_from(in, read);
    for (char kind : read.kind) require(kind != ' ' && kind != '\n', "a kind is never white space");

    bool all_writable = true;
    for (char kind : read.kind) all_writable = all_writable && writable_kind(kind);
    if (all_writable) require_round_trip(read);

    // What the controls menu writes: the codes read, each as a key or a button.
    ControlBindings menu = read;
    for (int a = 0; a < action_count; ++a) menu.kind[a] = (read.code[a] & 1) ? 'm' : 'k';
    require_round_trip(menu);
    return 0;
}
