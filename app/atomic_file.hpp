// Replacing a small file so that a crash, a full disk or a power cut at any
// moment leaves either the old contents or the new ones, never a torn mix.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Writes `bytes` to a temporary file beside `path` (.NAME.XXXXXX), flushes it
// to the disk, then renames it over `path`; temporary files of earlier writes
// that were killed are removed first. False when any step fails, with `why`
// (if given) one sentence naming the file; the old file is then untouched and
// no temporary file is left. Refuses to replace anything but a regular file,
// and a file that may not be written (read-only, even for a user who could
// override that); a symbolic link has its target replaced instead.
bool write_file_atomically(const std::filesystem::path& path, std::string_view bytes, std::string* why = nullptr);
