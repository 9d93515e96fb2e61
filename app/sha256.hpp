// SHA-256 checksums, for naming a map text by its exact bytes.
#pragma once

#include <string>
#include <string_view>

// The SHA-256 of `bytes` as 64 lowercase hexadecimal digits. Throws
// std::runtime_error when the digest cannot be computed (libcrypto out of memory).
std::string sha256_hex(std::string_view bytes);
