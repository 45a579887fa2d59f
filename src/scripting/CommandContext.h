#pragma once
#include "app/Assert.h"
#include "app/Game.h"
#include "app/HandleRegistry.h"
#include "scripting/Script.h"
#include "scripting/ScriptToken.h"

#include <cstdint>

// What a command handler works with during one step: the game, the script
// that runs the command, and its argument tokens, read one at a time in the
// order the command's table lists them. Made on the stack by CScript::Run.
//
// A handler may cause the running script itself to be destroyed (clearing
// the scene destroys the entity that owns the script). It must then touch
// neither Script() nor the context's arguments afterwards.
class CCommandContext {
public:
    CCommandContext(CGame& game, CScript& script, const ScriptToken& command)
        : m_game(game), m_script(script), m_command(command) {}
    CCommandContext(const CCommandContext&) = delete;
    CCommandContext& operator=(const CCommandContext&) = delete;

    CGame& Game() const { return m_game; }
    CScript& Script() const { return m_script; }
    const char* CommandName() const { return m_command.text; }

    // The next argument token. Past the end of the file it is the last token
    // read in this step (the command name when none was), as the format
    // requires; the step after this one then ends the script. That is the
    // token before the read position, since a command reads all its
    // arguments before it jumps.
    const ScriptToken& Next() {
        TABI_ASSERT(m_script.m_tokenCount > 0 && "a command runs only from a token of its file");
        uint32_t index = m_script.m_position;
        if (index < m_script.m_tokenCount)
            m_script.m_position = index + 1;
        else
            index = m_script.m_tokenCount - 1;
        return m_script.m_tokens[index];
    }
    const char* NextText() { return Next().text; }
    int32_t NextNumber() { return Next().number; }

    // The object of kind T whose handle register `index` holds. Handle 0
    // means "no object" and finds nothing quietly; a stale handle, or one of
    // another kind, finds nothing and is logged with the command's name.
    template <typename T>
    T* FindObject(int index) const {
        const uint32_t handle = m_script.RegisterAt(index);
        if (handle == 0) return nullptr;
        T* object = m_game.Handles().Find<T>(handle);
        if (!object) LogNoObject(index, handle);
        return object;
    }

    // Makes the script run this command again at its next step: a command
    // that waits for the player without an event ("ShowChoices").
    void RepeatCommand() {
        m_script.m_position = static_cast<uint32_t>(&m_command - m_script.m_tokens);
    }

    // Ends the manager's work for this frame after this step ("ChangeMode").
    void EndFrameAfterStep() { m_result = StepResult::ModeChange; }
    StepResult Result() const { return m_result; }

private:
    void LogNoObject(int index, uint32_t handle) const;

    CGame& m_game;
    CScript& m_script;
    const ScriptToken& m_command;
    StepResult m_result = StepResult::Done;
};
