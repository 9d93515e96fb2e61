#include "world/huge_pages.hpp"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

bool back_with_huge_pages(const void* data, std::size_t bytes) {
#if defined(__linux__)
    constexpr std::uintptr_t huge = std::uintptr_t{2} << 20;
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (begin + huge - 1) & ~(huge - 1);
    const std::uintptr_t last = (begin + bytes) & ~(huge - 1);
    if (!data || last <= first) return true;  // too small to gain anything
    void* start = reinterpret_cast<void*>(first);
    madvise(start, last - first, MADV_HUGEPAGE);
#ifndef MADV_COLLAPSE
#define MADV_COLLAPSE 25
#endif
    return madvise(start, last - first, MADV_COLLAPSE) == 0;
#else
    (void)data;
    (void)bytes;
    return false;
#endif
}
