#pragma once
#include "display/HitBox.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One picture of the table: the files (image 0 first, relative to the story
// folder), the quad every image is stretched over, the animations (image
// indexes, animation 0 first), where the picture answers to the mouse, and
// how many frames each image shows.
struct PictureRow {
    std::vector<std::string> files;
    int32_t width = 0;
    int32_t height = 0;
    std::vector<std::vector<uint8_t>> animations{{0}};
    std::optional<HitBox> hitBox;
    uint8_t ticks = 7;
    std::string name;  // what scripts may write as @name; empty: none
};

// Picture number -> picture. The engine's own rows are the defaults; a story's
// manifest adds rows or replaces them whole. Whoever reads a row cannot tell
// where it came from.
class CPictureTable {
public:
    static constexpr size_t kMaxFiles = 30;
    static constexpr size_t kMaxAnimations = 20;
    static constexpr size_t kMaxSequenceEntries = 40;  // each animation's closing mark included
    static constexpr int32_t kMaxSide = 8192;

    static const CPictureTable& BuiltIn();

    // Adds the row, or replaces the row of that number (and its name).
    void Set(int32_t number, PictureRow row);
    // Null for a number the table lacks.
    const PictureRow* Find(int32_t number) const;
    std::optional<int32_t> NumberOf(std::string_view name) const;
    const std::map<int32_t, PictureRow>& Rows() const { return m_rows; }

private:
    std::map<int32_t, PictureRow> m_rows;  // ordered: listings are stable
    std::map<std::string, int32_t, std::less<>> m_names;
};
