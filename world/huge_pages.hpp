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
