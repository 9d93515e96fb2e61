#include "world/huge_pages.hpp"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

constexpr std::uintptr_t huge = std::uintptr_t{2} << 20;

// The whole 2 MB pages inside [data, data + bytes): their start and length, or a length of 0.
std::size_t whole_huge_pages(const void* data, std::size_t bytes, void*& start) {
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (begin + huge - 1) & ~(huge - 1);
    const std::uintptr_t last = (begin + bytes) & ~(huge - 1);
    start = reinterpret_cast<void*>(first);
    return data && last > first ? last - first : 0;
}

}  // namespace

void prefer_huge_pages(const void* data, std::size_t bytes) {
#if defined(__linux__)
    void* start = nullptr;
    if (const std::size_t length = whole_huge_pages(data, bytes, start)) madvise(start, length, MADV_HUGEPAGE);
#else
    (void)data;
    (void)bytes;
#endif
}

bool back_with_huge_pages(const void* data, std::size_t bytes) {
#if defined(__linux__)
    void* start = nullptr;
    const std::size_t length = whole_huge_pages(data, bytes, start);
    if (length == 0) return true;  // too small to gain anything
    madvise(start, length, MADV_HUGEPAGE);
#ifndef MADV_COLLAPSE
#define MADV_COLLAPSE 25
#endif
    return madvise(start, length, MADV_COLLAPSE) == 0;
#else
    (void)data;
    (void)bytes;
    return false;
#endif
}
