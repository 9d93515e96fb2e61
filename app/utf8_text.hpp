// Text in bytes (file names, messages that quote them) as the player reads it.
#pragma once

#include <string_view>

#include <SFML/System/String.hpp>

// The characters of UTF-8 `bytes`. A byte that does not start or continue a
// valid sequence (a name in another encoding, an overlong or cut-off
// sequence, a surrogate) shows as one '?' each, never as another character.
sf::String utf8_text(std::string_view bytes);

// The length of the longest prefix of `bytes` no longer than `most` bytes that
// does not cut a UTF-8 sequence in two.
size_t utf8_prefix_length(std::string_view bytes, size_t most);
