// Backing large, long-lived tables with 2 MB pages where the system allows it.
#pragma once

#include <cstddef>

// Asks the kernel to move the whole 2 MB pages inside [data, data + bytes)
// onto huge pages now, keeping their contents. The laser step reads the
// map's cell kinds all over a 12 MB table, one row apart per sub-step, and
// with 4 KB pages nearly every such read misses the address cache. The first
// call on a table copies it (about 40 ms for 12 MB); later calls on a table
// already moved cost microseconds. False when the system refused (old kernel,
// no huge pages to be had).
bool back_with_huge_pages(const void* data, std::size_t bytes);
// Asks for 2 MB pages for the whole 2 MB pages inside [data, data + bytes)
// before anything is written there: a table of hundreds of MB is then filled
// with a few hundred page faults instead of tens of thousands, and nothing
// needs moving afterwards. Best effort; the table works on 4 KB pages as well.
void prefer_huge_pages(const void* data, std::size_t bytes);
