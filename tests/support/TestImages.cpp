#include "support/TestImages.h"

#include "story/PictureTable.h"

#include <functional>

// The engine's own table says which files a number needs; the demo's
// playthrough check holds those names to the files a story really has.
std::vector<std::string> CTestImages::FilesOf(int number) {
    const PictureRow* row = CPictureTable::BuiltIn().Find(number);
    return row ? row->files : std::vector<std::string>{};
}

uint32_t CTestImages::ColorOf(const std::string& file) {
    return 0xFF000000u | (static_cast<uint32_t>(std::hash<std::string>{}(file)) & 0x00FFFFFFu);
}
