// Replacing a small file so that a crash, a full disk or a power cut at any
// moment leaves either the old contents or the new ones, never a torn mix.
#pragma once

#include <filesystem>
#include <string_view>

// Writes `bytes` to a temporary file beside `path`, flushes it to the disk,
// then renames it over `path`. False when any step fails; the old file is then
// untouched and no temporary file is left. Refuses (false) to replace anything
// but a regular file; a symbolic link has its target replaced instead.
bool write_file_atomically(const std::filesystem::path& path, std::string_view bytes);
