#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

// Script number -> script file, relative to the story folder. The engine's
// own rows are the defaults; a story's manifest adds rows or replaces them.
class CScriptTable {
public:
    static constexpr int32_t kStartScript = 0;  // run when the game starts

    static const CScriptTable& BuiltIn();

    void Set(int32_t number, std::string path) { m_rows[number] = std::move(path); }
    // Empty for a number the table lacks.
    std::string_view PathOf(int32_t number) const;
    const std::map<int32_t, std::string>& Rows() const { return m_rows; }

private:
    std::map<int32_t, std::string> m_rows;
};
