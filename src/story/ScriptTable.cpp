#include "story/ScriptTable.h"

const CScriptTable& CScriptTable::BuiltIn() {
    static const CScriptTable table = [] {
        CScriptTable built;
        built.Set(kStartScript, "script/start.txt");
        built.Set(1, "script/script01.txt");
        built.Set(2, "script/script02.txt");
        built.Set(3, "script/script03.txt");
        built.Set(4, "script/script04.txt");
        built.Set(10, "script/script10.txt");
        return built;
    }();
    return table;
}

std::string_view CScriptTable::PathOf(int32_t number) const {
    const auto found = m_rows.find(number);
    return found == m_rows.end() ? std::string_view{} : std::string_view(found->second);
}
