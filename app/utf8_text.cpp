#include "app/utf8_text.hpp"

namespace {

bool continues(unsigned char c) { return (c & 0xC0) == 0x80; }

// The code point of the sequence starting at bytes[at] and its length in
// bytes, or a length of 0 when it is not a valid sequence.
size_t decode_one(std::string_view bytes, size_t at, sf::Uint32& code) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[at + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    size_t length = 0;
    sf::Uint32 lowest = 0;  // the smallest code point this length may carry: less is overlong
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, lowest = 0x80, code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, lowest = 0x800, code = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, lowest = 0x10000, code = lead & 0x07u;
    } else {
        return 0;
    }
    if (at + length > bytes.size()) return 0;
    for (size_t i = 1; i < length; ++i) {
        if (!continues(byte(i))) return 0;
        code = (code << 6) | (byte(i) & 0x3Fu);
    }
    if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

}  // namespace

sf::String utf8_text(std::string_view bytes) {
    sf::String text;
    for (size_t at = 0; at < bytes.size();) {
        sf::Uint32 code = 0;
        const size_t length = decode_one(bytes, at, code);
        text += length == 0 ? sf::Uint32('?') : code;
        at += length == 0 ? 1 : length;
    }
    return text;
}

size_t utf8_prefix_length(std::string_view bytes, size_t most) {
    if (bytes.size() <= most) return bytes.size();
    size_t cut = most;
    // Back to the start of the sequence the cut falls in, at most three bytes.
    for (int back = 0; back < 3 && cut > 0 && continues(static_cast<unsigned char>(bytes[cut])); ++back) --cut;
    return cut;
}
