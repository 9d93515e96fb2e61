// The six action bindings, read from controls.cfg and written by the controls menu.
#pragma once

#include <array>
#include <cstdint>
#include <iosfwd>
#include <string>

#include "app/actions.hpp"

// kind 'k': a key in the file's key numbering; 'm': a mouse button (0 left,
// 1 right, 2 middle, 3 and 4 extra). Any other kind never triggers.
struct ControlBindings {
    std::array<char, action_count> kind = {'k', 'k', 'k', 'k', 'm', 'm'};
    std::array<uint32_t, action_count> code = {119, 115, 97, 100, 0, 1};
};

// Program-wide: read once at start-up; rewritten only by the controls menu.
inline ControlBindings bindings;

inline constexpr const char* bindings_file_path = "controls.cfg";

// Reads controls.cfg from the working directory into `bindings`, silently
// keeping the defaults when it cannot. Returns why the file is there but
// could not be read, one sentence, or nothing when it was read or is missing:
// such a file is never overwritten, as the bindings it holds would be lost.
std::string read_bindings();
// Applies a bindings stream to `out`, as read_bindings does.
void read_bindings_from(std::istream& in, ControlBindings& out);
// Reads a bindings file into `out`; false, `out` untouched and `why` (if given)
// saying why, when the file reader refuses it.
bool read_bindings_file(const char* path, ControlBindings& out, std::string* why = nullptr);
// The packed file form, e.g. "k119k115k97k100m0m1".
std::string format_bindings(const ControlBindings& b);
// Replaces the file at path with `b`'s packed form; false, with the old file
// left whole and `why` (if given) saying why, when it cannot be written.
bool write_bindings_file(const char* path, const ControlBindings& b, std::string* why = nullptr);
// Saves `b` into controls.cfg unless start-up could not read it (`unread`,
// from read_bindings). Empty when saved, else why not, one sentence.
std::string save_bindings(const ControlBindings& b, const std::string& unread, const char* path = bindings_file_path);
