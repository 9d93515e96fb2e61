// The save file's reader (map selection's progress) on arbitrary bytes,
// through the text entry the file reader uses. It must read what formatted
// stream input reads, and progress written and read back must be equal.
#include <cstddef>
#include <cstdint>
#include <limits>
#include <sstream>
#include <string>
#include <string_view>

#include "app/progress.hpp"
#include "check.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const int32_t progress = parse_progress(text);

    // The straightforward reading: one int from a stream, 0 when there is no number.
    std::istringstream in(text);
    int32_t streamed = 0;
    in >> streamed;
    require(progress == streamed, "the progress reads as a stream reads it: " + std::to_string(progress) + " against " +
                                      std::to_string(streamed));

    require(parse_progress(std::to_string(progress)) == progress, "progress written and read back is equal");
    const auto raised = raised_progress(progress, progress, true);
    require(progress == std::numeric_limits<int32_t>::max() ? !raised : raised && *raised == progress + 1,
            "winning the newest map raises the progress by one, never past the largest number");
    return 0;
}
