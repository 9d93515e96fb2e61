// The replay reader on arbitrary text, recorded replays' header and footer
// included. A replay it accepts keeps to its bounds, and written out again in
// its own format (header, runs, footer) it reads back to the same replay.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "check.hpp"
#include "game/replay_file.hpp"

namespace {

// The runs in the replay format, one line each, between the header and the footer when it has them.
std::string printed(const ReplayFile& file) {
    std::string text = file.header ? replay_header_text(*file.header) : "# printed again\n";
    for (const ReplayRun& run : file.replay.runs) text += replay_line(run) + "\r\n";
    if (file.header) text += replay_footer_text(file.footer);
    return text;
}

bool same_runs(const Replay& a, const Replay& b) {
    if (a.runs.size() != b.runs.size() || a.total_updates != b.total_updates) return false;
    for (size_t i = 0; i < a.runs.size(); ++i) {
        const ReplayRun &r = a.runs[i], &s = b.runs[i];
        if (r.count != s.count || r.held != s.held || r.f9_pressed != s.f9_pressed || r.restart != s.restart ||
            r.world_point != s.world_point || r.x != s.x || r.y != s.y)
            return false;
    }
    return true;
}

bool same_header(const ReplayHeader& a, const ReplayHeader& b) {
    if (a.map != b.map || a.map_sha256 != b.map_sha256 || a.recorded != b.recorded) return false;
    for (const SettingKey& key : setting_keys)
        if (a.settings.*key.field != b.settings.*key.field) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ReplayFile file;
    std::string why;
    if (!parse_replay_file(text, file, why)) {
        require(!why.empty() && why.find('\n') == std::string::npos, "a refusal gives its reason in one line");
        require(!file.header && file.footer.empty() && file.replay.runs.empty(), "a refused file leaves nothing");
        return 0;
    }
    require(why.empty(), "an accepted replay gives no reason");
    int64_t total = 0;
    for (const ReplayRun& run : file.replay.runs) {
        require(run.count >= 1 && run.count <= max_run_updates, "every run lasts 1 to max_run_updates updates");
        total += run.count;
    }
    require(total == file.replay.total_updates && total <= max_replay_updates,
            "the total is the runs' sum, within bounds");
    require(file.header.has_value() == !file.footer.empty(), "a header comes with a footer, and only with one");
    if (file.header) require(plain_map_file_name(file.header->map), "a header names its map by a plain name");

    ReplayFile again;
    require(parse_replay_file(printed(file), again, why), "a printed replay parses: " + why);
    require(same_runs(file.replay, again.replay), "a printed replay parses to the same runs");
    require(again.footer == file.footer, "a printed footer reads back the same");
    require(file.header.has_value() == again.header.has_value() &&
                (!file.header || same_header(*file.header, *again.header)),
            "a printed header reads back the same");
    return 0;
}
