#include "story/SoundTable.h"

void CSoundTable::Set(int32_t number, SoundRow row) {
    const auto old = m_rows.find(number);
    if (old != m_rows.end() && !old->second.name.empty()) m_names.erase(old->second.name);
    if (!row.name.empty()) m_names[row.name] = number;
    m_rows[number] = std::move(row);
}

const SoundRow* CSoundTable::Find(int32_t number) const {
    const auto found = m_rows.find(number);
    return found == m_rows.end() ? nullptr : &found->second;
}

std::optional<int32_t> CSoundTable::NumberOf(std::string_view name) const {
    const auto found = m_names.find(name);
    if (found == m_names.end()) return std::nullopt;
    return found->second;
}
