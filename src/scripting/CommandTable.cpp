#include "scripting/CommandTable.h"

#include "app/Game.h"
#include "app/Log.h"
#include "scripting/CommandContext.h"
#include "scripting/Script.h"

// To add a command: write its handler in the file of its theme and list it in
// that file's table with its shape (what it reads, and where it acts), which
// is all that `tabi --check` knows of it; nothing else changes. To add a theme: a new
// <Theme>Commands.cpp whose function returns its table, declared in
// CommandTable.h, and one more group in the list below.
const CCommandTable& CCommandTable::Engine() {
    static const CCommandTable table{FlowCommands(),     SceneCommands(),  SpriteCommands(),
                                     DialogueCommands(), ChoiceCommands(), SoundCommands()};
    return table;
}

// A name listed twice keeps its first handler; the log says so at start-up.
CCommandTable::CCommandTable(std::initializer_list<std::span<const CommandEntry>> groups) {
    for (const std::span<const CommandEntry> group : groups)
        for (const CommandEntry& entry : group)
            if (!m_entries.emplace(entry.name, &entry).second)
                CLog::Write("CCommandTable: command %.*s is listed twice",
                            static_cast<int>(entry.name.size()), entry.name.data());
}

CommandHandler CCommandTable::Resolve(std::string_view token) const {
    if (CScript::IsLabel(token)) return SkipLabel;
    const CommandHandler handler = Find(token);
    return handler ? handler : RejectIllegal;
}

CommandHandler CCommandTable::Find(std::string_view name) const {
    const CommandEntry* entry = Entry(name);
    return entry ? entry->handler : nullptr;
}

const CommandEntry* CCommandTable::Entry(std::string_view name) const {
    const auto found = m_entries.find(name);
    return found == m_entries.end() ? nullptr : found->second;
}

void CCommandTable::SkipLabel(CCommandContext&) {}

// The script keeps its state and goes on with the next token; the program
// ends after this frame, as a failure.
void CCommandTable::RejectIllegal(CCommandContext& context) {
    CLog::Write("CScript::Run() Illegal command: %s\n", context.CommandName());
    context.Game().RequestQuit(ExitCode::Failure);
}
