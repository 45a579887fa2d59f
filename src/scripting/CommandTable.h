#pragma once
#include "scripting/ScriptToken.h"

#include <cstdint>
#include <initializer_list>
#include <map>
#include <span>
#include <string_view>

// Where a command has an effect. Elsewhere it is ignored without a word.
enum class CommandMode : uint8_t {
    Any,
    Scene,       // the role-playing mode only
    SizedScene,  // the role-playing mode, once SetSceneScale has given the scene its size
    Pictures,    // the picture-novel mode only
};

// What a command reads, so a story can be checked without running it.
struct CommandShape {
    static constexpr std::string_view kUndeclared = "?";

    // One letter per argument token, in the order the handler reads them:
    //   n number             p picture number or @name   c script number
    //   l label              e event name                s entity or sprite name
    //   r register read      w register written          v register, number or @name
    //   t dialogue text      k speaker's name            x any token (read and not used)
    std::string_view args = kUndeclared;
    // What it takes from $a0, $a1, $a2 in turn, one letter each ('-': not
    // checked): p picture number, c script number, f flag index, m mode.
    std::string_view operands = "";
    CommandMode mode = CommandMode::Any;

    bool IsDeclared() const { return args != kUndeclared; }
};

struct CommandEntry {
    std::string_view name;  // exactly as stories spell it
    CommandHandler handler;
    CommandShape shape = {};
};

// The command groups, one file of handlers each.
std::span<const CommandEntry> FlowCommands();      // FlowCommands.cpp
std::span<const CommandEntry> SceneCommands();     // SceneCommands.cpp
std::span<const CommandEntry> SpriteCommands();    // SpriteCommands.cpp
std::span<const CommandEntry> DialogueCommands();  // DialogueCommands.cpp
std::span<const CommandEntry> ChoiceCommands();    // ChoiceCommands.cpp
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
    // The command of this name with its shape; null when there is none.
    const CommandEntry* Entry(std::string_view name) const;
    size_t Size() const { return m_entries.size(); }
    // Every command, ordered by name.
    const std::map<std::string_view, const CommandEntry*, std::less<>>& Entries() const {
        return m_entries;
    }

    static void SkipLabel(CCommandContext& context);
    static void RejectIllegal(CCommandContext& context);

private:
    // The entries are borrowed from the groups' static tables.
    std::map<std::string_view, const CommandEntry*, std::less<>> m_entries;
};
