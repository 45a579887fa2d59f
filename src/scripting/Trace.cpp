#include "scripting/Trace.h"

#include "platform/TextCodec.h"
#include "scripting/CommandTable.h"
#include "scripting/Script.h"
#include "scripting/ScriptSource.h"

CTrace::CTrace(const std::string& path) : m_file(std::fopen(path.c_str(), "w")), m_path(path) {
    if (m_file) s_active = this;
}

// A trace cut short by a full disk must not pass for a whole one.
CTrace::~CTrace() {
    if (s_active == this) s_active = nullptr;
    if (!m_file) return;
    const bool failed = std::ferror(m_file) != 0;
    if (std::fclose(m_file) != 0 || failed)
        std::fprintf(stderr, "tabi: the trace %s could not be written whole\n", m_path.c_str());
}

void CTrace::Begin(const CScript& script, const CScriptSource& source, uint32_t index) {
    m_script = &script;
    m_source = &source;
    m_index = index;
    for (int i = 0; i < kRegisterCount; ++i)
        m_before[static_cast<size_t>(i)] = script.RegisterAt(i);
}

void CTrace::Forget(const CScript& script) {
    if (m_script == &script) m_script = nullptr;
}

// A label is no command: it leaves no line. A command's arguments are the
// tokens its shape declares, whatever it jumped to.
void CTrace::End(uint32_t frame) {
    const auto tokens = m_source->Tokens();
    const ScriptToken& command = tokens[m_index];
    if (command.handler == CCommandTable::SkipLabel) return;
    const CommandEntry* entry = CCommandTable::Engine().Entry(command.text);
    const size_t args = entry && entry->shape.IsDeclared() ? entry->shape.args.size() : 0;
    std::string line = std::to_string(frame) + ' ' + m_source->PlaceText(m_index);
    for (size_t i = m_index; i <= m_index + args && i < tokens.size(); ++i)
        line += ' ' + CTextCodec::ToUtf8(tokens[i].text, m_source->Encoding());
    line += Changes();
    std::fprintf(m_file, "%s\n", line.c_str());
}

std::string CTrace::Changes() const {
    std::string changes;
    for (int i = 0; m_script && i < kRegisterCount; ++i) {
        const uint32_t value = m_script->RegisterAt(i);
        if (value == m_before[static_cast<size_t>(i)]) continue;
        changes += (changes.empty() ? " | " : " ") + RegisterName(i) + '=' + std::to_string(value);
    }
    return changes;
}

// The names the register reader gives each index: $v from 2, $a from 4, $t from 8.
std::string CTrace::RegisterName(int index) {
    if (index >= 8) return "$t" + std::to_string(index - 8);
    if (index >= 4) return "$a" + std::to_string(index - 4);
    if (index >= 2) return "$v" + std::to_string(index - 2);
    return index == 0 ? "$zero" : "$1";
}
