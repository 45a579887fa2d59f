#pragma once
#include <string_view>

// Story-level cases kept as data: each file of tests/data/cases holds tiny
// stories and what each must leave behind (its log, frames of its render
// dump, or what `tabi --check` says of it). tests/data/cases/README.md gives
// the format. Every case runs in a fresh story folder, and a mismatch fails
// the calling test naming the file, the line and the case.
class CStoryCases {
public:
    static void Run(std::string_view file);
};
