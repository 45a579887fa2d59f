#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The picture files of the image table, as a story folder must provide them,
// and a distinct opaque colour per file so screenshots can tell them apart.
class CTestImages {
public:
    static std::vector<std::string> FilesOf(int number);
    static uint32_t ColorOf(const std::string& file);
};
