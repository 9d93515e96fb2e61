// The player's progress: how many built-in maps have been won in order, kept
// as one decimal number in Saves/demo.sav. Map index i (0-based) is unlocked
// when i <= progress, so a new player has map 1 alone.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

inline constexpr const char* progress_file_path = "Saves/demo.sav";

// The first integer of a save text, as formatted input reads it: white space
// skipped, an optional sign, digits, the rest ignored; beyond 32 bits it
// saturates. 0 when the text does not start with a number.
int32_t parse_progress(std::string_view text);
// What map selection finds in the save file when it is entered.
struct SavedProgress {
    int32_t progress = 0;  // 0 when the file is missing or cannot be read
    // Why the file is there but could not be read, one sentence; empty when it
    // was read or is missing. Such a file is never overwritten: the progress
    // it holds would be lost.
    std::string unreadable;
};
SavedProgress load_progress(const std::filesystem::path& path = progress_file_path);
// The progress a save file holds; 0 when it is missing or unreadable.
int32_t read_progress(const std::filesystem::path& path = progress_file_path);

// The new progress when a game on map index `index` ends: raised by one only
// for a win of the newest unlocked map; nothing when it does not change.
std::optional<int32_t> raised_progress(int32_t progress, int32_t index, bool won);

// Writes the progress as bare decimal digits, replacing the file atomically
// and creating its folder when missing. False, old file whole and `why` (if
// given) saying why in one sentence, on failure.
bool write_progress(int32_t progress, const std::filesystem::path& path = progress_file_path,
                    std::string* why = nullptr);
// Saves the raised progress unless the file could not be read when it was
// loaded (`found`). Empty when saved, else why not, one sentence.
std::string save_progress(int32_t progress, const SavedProgress& found,
                          const std::filesystem::path& path = progress_file_path);
