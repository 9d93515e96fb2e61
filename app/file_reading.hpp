// Reading the files the game and vantorel-tool are given: maps, the save,
// settings, bindings, replays, pictures, the shader and the font. One reader
// for all, so that a FIFO, a device, a huge file or a failing disk is refused
// the same way everywhere, with a reason, and never blocks or throws.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// A kind of file: its name in messages, the most it may hold and whether it is text.
struct FileKind {
    const char* what;    // "map text": "... the most a map text file may hold."
    uint64_t max_bytes;  // a larger file is refused unread
    bool text;           // a NUL byte refuses it: it is not what it claims to be
};

// The largest built-in map text is a few KB; 16 MiB leaves room for any hand-made map.
inline constexpr uint64_t max_map_file_bytes = 16u << 20;
// A replay line is a few bytes per run of updates.
inline constexpr uint64_t max_replay_file_bytes = 16u << 20;
// config.ini and controls.cfg hold a few dozen short lines, the save one number.
inline constexpr uint64_t max_config_file_bytes = 1u << 20;
// The game's pictures are a few KB to a few hundred; the font about 700 KB.
inline constexpr uint64_t max_picture_file_bytes = 32u << 20;

inline constexpr FileKind map_text_file{"map text", max_map_file_bytes, true};
inline constexpr FileKind replay_file{"replay", max_replay_file_bytes, true};
inline constexpr FileKind settings_file{"settings", max_config_file_bytes, true};
inline constexpr FileKind bindings_file{"bindings", max_config_file_bytes, true};
// The save is read for its first number, whatever follows it.
inline constexpr FileKind save_file{"save", max_config_file_bytes, false};
inline constexpr FileKind picture_file{"picture", max_picture_file_bytes, false};
inline constexpr FileKind shader_file{"shader", max_config_file_bytes, true};
inline constexpr FileKind font_file{"font", max_picture_file_bytes, false};

// How a read ended, beyond the reason's words: callers that must not replace
// a file they could not read tell a missing file from an unreadable one.
enum class ReadFailure { none, missing, refused };

// `path` quoted for a message, with control characters shown as '?' so that
// a message always stays on one line.
std::string quoted_path(const std::string& path);

// The whole contents of the regular file at `path`, or nothing with `why` one
// sentence naming the file: missing, not a regular file (a folder, a FIFO, a
// device), larger than the kind allows, unopenable, unreadable to its end, or
// a text with NUL bytes. Never blocks on a FIFO and never throws but bad_alloc.
std::optional<std::string> read_file(const std::string& path, const FileKind& kind, std::string& why,
                                     ReadFailure* failure = nullptr);
