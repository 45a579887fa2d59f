#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

// One sound of the table: its file (OGG Vorbis or WAV, relative to the story
// folder) and the name scripts may write as @name (empty: none).
struct SoundRow {
    std::string file;
    std::string name;
};

// Sound number -> sound. The engine has no sounds of its own: every row comes
// from the story's manifest, and a story without one has an empty table.
class CSoundTable {
public:
    // Adds the row, or replaces the row of that number (and its name).
    void Set(int32_t number, SoundRow row);
    // Null for a number the table lacks.
    const SoundRow* Find(int32_t number) const;
    std::optional<int32_t> NumberOf(std::string_view name) const;
    const std::map<int32_t, SoundRow>& Rows() const { return m_rows; }

private:
    std::map<int32_t, SoundRow> m_rows;  // ordered: listings are stable
    std::map<std::string, int32_t, std::less<>> m_names;
};
