// What a fuzz target requires of the code it drives: a broken requirement
// prints what broke and aborts, which libFuzzer reports as a finding with the
// input that caused it.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

inline void require(bool holds, const std::string& what) {
    if (holds) return;
    std::fprintf(stderr, "requirement broken: %s\n", what.c_str());
    std::abort();
}
