#pragma once
#include "app/Assert.h"
#include "scripting/ScriptToken.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

class CGame;
class CScriptManager;
class CScriptSource;
class CTrace;

enum class ScriptState : uint8_t { Ready = 0, Running = 1, Ended = 2, Waiting = 3 };
enum class StepResult : uint8_t { Done, ModeChange };

// One script being run: a read position in a loaded script file, a run state,
// the event it waits for and 32 registers. It has exactly one owner (the
// script manager for the start script, an entity or a trap slot for theirs);
// the manager's lists only borrow it, and its destructor takes it out of them.
class CScript {
public:
    // A null source stands for a file that could not be opened: that is
    // logged, and such a script never runs.
    explicit CScript(std::shared_ptr<const CScriptSource> source);
    CScript(const CScript&) = delete;
    CScript& operator=(const CScript&) = delete;
    ~CScript();

    bool IsOpen() const { return m_source != nullptr; }
    // One step: reads one token and, unless it is a label, runs its command.
    // Does nothing unless the script is Running; at the end of the file the
    // script ends.
    StepResult Run(CGame& game);

    ScriptState State() const { return m_state; }
    void SetState(ScriptState state) { m_state = state; }
    uint8_t AwaitedEvent() const { return m_awaitedEvent; }
    void SetAwaitedEvent(uint8_t code) { m_awaitedEvent = code; }

    // Back to the first token; registers and the awaited event stay.
    void Rewind() { m_position = 0; }
    // Goes to just after the first token labelled `name`; when there is none,
    // to the end of the file, so the next step ends the script.
    bool FindLabel(std::string_view name);
    // FindLabel with a token of this script's own file, without a search.
    bool JumpTo(const ScriptToken& label) {
        m_position = label.jumpTarget == ScriptToken::kNoLabel ? m_tokenCount : label.jumpTarget;
        return label.jumpTarget != ScriptToken::kNoLabel;
    }
    // Index of the token the next read takes.
    uint32_t Position() const { return m_position; }
    // Every token of the file, for readers that look ahead without running.
    std::span<const ScriptToken> Tokens() const { return {m_tokens, m_tokenCount}; }

    static bool IsLabel(std::string_view token) { return !token.empty() && token.back() == ':'; }
    // 0-31, kNotRegister for a token without $, kBadRegister past register 31.
    static int ParseRegister(std::string_view token);
    // A $ token that reads as register 0 but is not spelt $zero or $0.
    static bool IsMisspeltRegister(std::string_view token);
    // As atoi: optional sign and leading digits, 0 without digits; values
    // beyond 32 bits saturate.
    static int32_t ReadNumber(std::string_view text);

    // A token that names no register reads 0 and stores nothing (logged).
    uint32_t GetRegister(std::string_view token) const;
    void SetRegister(std::string_view token, uint32_t value);
    uint32_t GetRegister(const ScriptToken& token) const {
        return token.reg >= 0 ? m_registers[token.reg] : RejectRead(token);
    }
    void SetRegister(const ScriptToken& token, uint32_t value) {
        if (token.reg > 0)
            m_registers[token.reg] = value;
        else if (token.reg < 0)
            RejectWrite(token);
    }
    uint32_t RegisterAt(int index) const {
        TABI_ASSERT(index >= 0 && index < kRegisterCount && "register index out of range");
        return m_registers[index];
    }
    // Register 0 is never written.
    void SetRegisterAt(int index, uint32_t value) {
        TABI_ASSERT(index < kRegisterCount && "register index out of range");
        if (index > 0) m_registers[index] = value;
    }

private:
    friend class CCommandContext;  // reads the argument tokens
    friend class CScriptManager;   // keeps m_manager and m_listEntries

    StepResult Step(CGame& game);
    [[gnu::cold]] StepResult RunTraced(CGame& game, CTrace& trace);
    [[gnu::cold]] uint32_t RejectRead(const ScriptToken& token) const;
    [[gnu::cold]] void RejectWrite(const ScriptToken& token) const;
    [[gnu::cold]] uint32_t RejectRead(std::string_view token) const;
    [[gnu::cold]] void RejectWrite(std::string_view token) const;

    std::shared_ptr<const CScriptSource> m_source;  // shared: every script of one file reads it
    const ScriptToken* m_tokens = nullptr;          // m_source's tokens, kept at hand for steps
    uint32_t m_tokenCount = 0;
    uint32_t m_position = 0;
    std::array<uint32_t, kRegisterCount> m_registers{};  // all 0 at start: runs are repeatable
    ScriptState m_state = ScriptState::Ready;
    uint8_t m_awaitedEvent = 0;  // no event until the first WaitForEvent names one
    uint32_t m_listEntries = 0;  // entries in m_manager's lists
    // Set while the script stands in a list of this manager; the manager
    // clears it when the script leaves its last list or the manager goes.
    CScriptManager* m_manager = nullptr;
};
