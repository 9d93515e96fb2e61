#include "world/map_text.hpp"

#include <bit>
#include <charconv>
#include <cmath>
#include <initializer_list>
#include <sstream>
#include <string>
#include <system_error>
#include <utility>

namespace {

// Numbers in the order a map text holds them: each is followed by a space, and
// the readable form turns the space after a record's last number into a line break.
class TextWriter {
public:
    explicit TextWriter(MapTextForm form) : form_(form) {}

    void number(int32_t v) {
        char digits[16];
        text_.append(digits, std::to_chars(digits, digits + sizeof digits, v).ptr);
        text_ += ' ';
    }
    void heading(const MapEnemy& e) {
        text_ += heading_word(e);
        text_ += ' ';
    }
    void end_record() {
        if (form_ == MapTextForm::readable) text_.back() = '\n';
    }
    std::string take() { return std::move(text_); }

private:
    MapTextForm form_;
    std::string text_;
};

// Reads the numbers of a map text as the loader does: formatted stream
// extraction, every number followed by white space.
class TextReader {
public:
    explicit TextReader(std::string_view text) : length_(text.size()), in_(std::string(text)) {}

    bool number(int32_t& v) {
        in_ >> v;
        return in_.good();
    }
    bool word(std::string& w) {
        in_ >> w;
        return in_.good();
    }
    // Why reading stopped in `where`, once a read has failed.
    std::string broken_at(const std::string& where) const {
        if (!in_.fail())
            return "The map text ends right after a number in " + where + "; a map must end with white space.";
        return "The map text breaks off or holds something that is not a number in " + where + ".";
    }
    // Whether `count` elements of `numbers` numbers each can still follow:
    // each number takes at least one digit and one white-space character.
    bool room_for(int32_t count, int numbers) {
        if (count < 0) return false;
        const auto pos = in_.tellg();
        if (pos < 0) return false;
        const size_t left = length_ - static_cast<size_t>(pos);
        return static_cast<uint64_t>(count) * 2u * static_cast<uint64_t>(numbers) <= left;
    }

private:
    size_t length_;
    std::istringstream in_;
};

// Reads a list's count and makes room for that many elements of `numbers` numbers each.
template <class Element>
bool read_count(TextReader& in, int numbers, const char* what, std::vector<Element>& list, std::string& why) {
    int32_t count = 0;
    if (!in.number(count)) {
        why = in.broken_at(std::string("the ") + what + " count");
        return false;
    }
    if (!in.room_for(count, numbers)) {
        why = std::string("The ") + what + " count is negative or larger than the rest of the text can hold.";
        return false;
    }
    list.resize(static_cast<size_t>(count));
    return true;
}

// The digits after the point of a heading spelt as plain decimals ("-42.0318",
// "180"), when writing `degrees` with that many gives the word back; else -1.
int32_t kept_decimals(std::string_view word, double degrees) {
    const size_t point = word.find('.');
    const size_t decimals = point == std::string_view::npos ? 0 : word.size() - point - 1;
    if (decimals > 20) return -1;
    char digits[128];
    const auto end =
        std::to_chars(digits, digits + sizeof digits, degrees, std::chars_format::fixed, static_cast<int>(decimals));
    if (end.ec != std::errc{} || std::string_view(digits, static_cast<size_t>(end.ptr - digits)) != word) return -1;
    return static_cast<int32_t>(decimals);
}

// Reads an enemy's heading word into `e`, so that the heading narrowed to a
// float is the loader's. A heading in plain decimals keeps its value and
// spelling; any other ("+5", "1e-50", more digits than a double holds) becomes
// that float, which the shortest form writes back exactly.
bool read_heading(const std::string& word, MapEnemy& e) {
    float value = 0;
    if (!parse_heading(word, value)) return false;
    double degrees = 0;
    const auto [stop, error] = std::from_chars(word.data(), word.data() + word.size(), degrees);
    const bool exact = error == std::errc{} && stop == word.data() + word.size() &&
                       std::bit_cast<uint32_t>(static_cast<float>(degrees)) == std::bit_cast<uint32_t>(value);
    e.heading_decimals = exact ? kept_decimals(word, degrees) : -1;
    e.heading = e.heading_decimals >= 0 ? degrees : static_cast<double>(value);
    return true;
}

}  // namespace

std::string heading_word(const MapEnemy& enemy) {
    char digits[128];  // a float's largest value has 39 digits before the point, at most 20 after
    auto end = std::to_chars_result{digits, std::errc::value_too_large};
    if (enemy.heading_decimals >= 0 && enemy.heading_decimals <= 20)
        end = std::to_chars(digits, digits + sizeof digits, enemy.heading, std::chars_format::fixed,
                            enemy.heading_decimals);
    // The shortest form always fits, also for a value beyond a float that the decimals would not.
    if (end.ec != std::errc{}) end = std::to_chars(digits, digits + sizeof digits, enemy.heading);
    return std::string(digits, end.ptr);
}

std::string write_map_text(const MapSource& map, MapTextForm form) {
    TextWriter out(form);
    auto pair = [&out](int32_t a, int32_t b) {
        out.number(a);
        out.number(b);
        out.end_record();
    };
    auto count = [&out](size_t n) {
        out.number(static_cast<int32_t>(n));
        out.end_record();
    };
    pair(map.width, map.height);
    pair(map.start_x, map.start_y);
    pair(map.exit_x, map.exit_y);
    count(map.segments.size());
    for (const MapSegment& s : map.segments) {
        for (int32_t v : {s.x1, s.y1, s.x2, s.y2, s.type}) out.number(v);
        out.end_record();
    }
    count(map.switches.size());
    for (const MapSwitch& s : map.switches) {
        for (int32_t v : {s.x, s.y, s.colour}) out.number(v);
        out.end_record();
    }
    count(map.enemies.size());
    for (const MapEnemy& e : map.enemies) {
        for (int32_t v : {e.x, e.y, e.kind}) out.number(v);
        out.heading(e);
        out.end_record();
    }
    count(map.pickups.size());
    for (const MapPickup& p : map.pickups) {
        for (int32_t v : {p.x, p.y, p.kind}) out.number(v);
        out.end_record();
    }
    count(map.checkpoints.size());
    for (const MapCheckpoint& c : map.checkpoints) pair(c.x, c.y);
    return out.take();
}

bool read_map_source(std::string_view text, MapSource& out, std::string& why) {
    out = MapSource{};
    TextReader in(text.substr(0, text.find('\0')));
    auto numbers = [&in, &why](const std::string& where, std::initializer_list<int32_t*> fields) {
        for (int32_t* field : fields)
            if (!in.number(*field)) {
                why = in.broken_at(where);
                return false;
            }
        return true;
    };
    auto numbered = [](const char* what, size_t i) { return std::string(what) + ' ' + std::to_string(i + 1); };

    if (!numbers("the width and height", {&out.width, &out.height}) ||
        !numbers("the start and exit positions", {&out.start_x, &out.start_y, &out.exit_x, &out.exit_y}))
        return false;

    if (!read_count(in, 5, "segment", out.segments, why)) return false;
    for (size_t i = 0; i < out.segments.size(); ++i) {
        MapSegment& s = out.segments[i];
        if (!numbers(numbered("segment", i), {&s.x1, &s.y1, &s.x2, &s.y2, &s.type})) return false;
    }
    if (!read_count(in, 3, "switch", out.switches, why)) return false;
    for (size_t i = 0; i < out.switches.size(); ++i) {
        MapSwitch& s = out.switches[i];
        if (!numbers(numbered("switch", i), {&s.x, &s.y, &s.colour})) return false;
    }
    if (!read_count(in, 4, "enemy", out.enemies, why)) return false;
    for (size_t i = 0; i < out.enemies.size(); ++i) {
        MapEnemy& e = out.enemies[i];
        std::string heading;
        if (!numbers(numbered("enemy", i), {&e.x, &e.y, &e.kind})) return false;
        if (!in.word(heading)) {
            why = in.broken_at(numbered("enemy", i));
            return false;
        }
        if (!read_heading(heading, e)) {
            why = "The heading of " + numbered("enemy", i) + " is not a number of degrees that fits a float.";
            return false;
        }
    }
    if (!read_count(in, 3, "pickup", out.pickups, why)) return false;
    for (size_t i = 0; i < out.pickups.size(); ++i) {
        MapPickup& p = out.pickups[i];
        if (!numbers(numbered("pickup", i), {&p.x, &p.y, &p.kind})) return false;
    }
    if (!read_count(in, 2, "checkpoint", out.checkpoints, why)) return false;
    for (size_t i = 0; i < out.checkpoints.size(); ++i) {
        MapCheckpoint& c = out.checkpoints[i];
        if (!numbers(numbered("checkpoint", i), {&c.x, &c.y})) return false;
    }
    why.clear();
    return true;
}

bool parse_heading(std::string_view word, float& out) {
    if (word.starts_with('+')) {
        word.remove_prefix(1);
        if (word.starts_with('-')) return false;
    }
    const char* end = word.data() + word.size();
    const auto [stop, error] = std::from_chars(word.data(), end, out);
    if (error == std::errc::result_out_of_range && stop == end) {
        // Too small for a float, like 1e-50: the stream reading took it as 0, and so do we.
        double wide = 0;
        const auto [wide_stop, wide_error] = std::from_chars(word.data(), end, wide);
        if (wide_error != std::errc{} || wide_stop != end || std::fabs(wide) >= 1.0) return false;
        out = static_cast<float>(wide);
        return true;
    }
    return error == std::errc{} && stop == end && std::isfinite(out);
}
