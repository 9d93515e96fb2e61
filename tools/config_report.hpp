// `vantorel-tool settings` and `vantorel-tool bindings`: the two start-up files as the game reads them.
#pragma once

#include <iosfwd>
#include <string>

// Prints the 37 settings of the file at `path` as "key value" lines, in file
// order, as read (before the start-up corrections). Throws ToolError.
void print_settings(const std::string& path, std::ostream& out);

// Prints the six bindings of the file at `path` as "action kind code" lines. Throws ToolError.
void print_bindings(const std::string& path, std::ostream& out);
