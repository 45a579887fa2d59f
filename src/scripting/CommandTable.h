#pragma once
#include "scripting/ScriptToken.h"

#include <initializer_list>
#include <map>
#include <span>
#include <string_view>

struct CommandEntry {
    std::string_view name;  // exactly as stories spell it
    CommandHandler handler;
};

// The command groups, one file of handlers each.
std::span<const CommandEntry> FlowCommands();      // FlowCommands.cpp
std::span<const CommandEntry> SceneCommands();     // SceneCommands.cpp
std::span<const CommandEntry> SpriteCommands();    // SpriteCommands.cpp
std::span<const CommandEntry> DialogueCommands();  // DialogueCommands.cpp
std::span<const CommandEntry> SoundCommands();     // SoundCommands.cpp

// Command name -> handler, for every command a story may use. A script file
// asks it once per token when the file is loaded, so a step never looks a name
// up: it calls the handler its token was given.
class CCommandTable {
public:
    explicit CCommandTable(std::initializer_list<std::span<const CommandEntry>> groups);
    CCommandTable(const CCommandTable&) = delete;
    CCommandTable& operator=(const CCommandTable&) = delete;

    // The engine's table, built once from every group.
    static const CCommandTable& Engine();

    // What the token does in command position: its command's handler when the
    // name matches exactly (case and all), a step that does nothing for a
    // label (a token ending in ':'), and otherwise the illegal-command step.
    CommandHandler Resolve(std::string_view token) const;
    // Null when no command has this name.
    CommandHandler Find(std::string_view name) const;
    size_t Size() const { return m_handlers.size(); }

    static void SkipLabel(CCommandContext& context);
    static void RejectIllegal(CCommandContext& context);

private:
    std::map<std::string_view, CommandHandler, std::less<>> m_handlers;
};
