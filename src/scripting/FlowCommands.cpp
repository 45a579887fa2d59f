// The commands that act on the interpreter itself: waiting, jumps and
// branches, register moves, ending a script or the program, the debug line,
// the mode change, the global flags and the scene numbers.
#include "app/Game.h"
#include "app/GlobalState.h"
#include "app/Log.h"
#include "scripting/CommandContext.h"
#include "scripting/CommandTable.h"
#include "scripting/Script.h"
#include "scripting/ScriptManager.h"

namespace {

// The state changes before the name is read; an unknown name keeps the event
// waited for last.
void WaitForEvent(CCommandContext& c) {
    c.Script().SetState(ScriptState::Waiting);
    const char* name = c.NextText();
    CLog::Write("WaitForEvent");
    if (const uint8_t code = CScriptManager::EventCode(name))
        c.Script().SetAwaitedEvent(code);
    else
        CLog::Warn("no event is named %s; the script waits for the event it waited for last", name);
}

void Jump(CCommandContext& c) {
    const ScriptToken& label = c.Next();
    if (!c.Script().JumpTo(label)) CLog::Write("Jump failed. No label %s", label.text);
}

// A missing label is not logged here (the log's lines stay as they are); the
// script ends all the same, and the author is warned.
void BranchIfEqual(CCommandContext& c) {
    const ScriptToken& left = c.Next();
    const ScriptToken& right = c.Next();
    const ScriptToken& label = c.Next();
    if (label.jumpTarget == ScriptToken::kNoLabel) [[unlikely]]
        CLog::Warn("beq: no label %s in this file; taking the branch ends the script", label.text);
    if (c.Script().GetRegister(left) == c.Script().GetRegister(right)) c.Script().JumpTo(label);
}

void Move(CCommandContext& c) {
    const ScriptToken& destination = c.Next();
    const ScriptToken& source = c.Next();
    const uint32_t value = source.IsRegisterName() ? c.Script().GetRegister(source)
                                                   : static_cast<uint32_t>(source.number);
    c.Script().SetRegister(destination, value);
}

void Terminate(CCommandContext& c) {
    c.Script().SetState(ScriptState::Ended);
}

// The frame and its passes go on; the program ends before the next frame.
void End(CCommandContext& c) {
    c.Game().RequestQuit(ExitCode::Normal);
}

void Debug(CCommandContext& c) {
    CLog::Write("%s", c.NextText());
}

// An unknown mode ends the program at the next frame (the game object's rule).
void ChangeMode(CCommandContext& c) {
    c.Game().ChangeMode(static_cast<uint8_t>(c.Script().RegisterAt(kRegA0)));
    c.EndFrameAfterStep();
}

// A flag index outside the table is the story's mistake: one line, and the
// story goes on without touching memory beyond the flags.
bool FlagIndexFits(const CCommandContext& c, uint32_t index) {
    if (index < CGlobalState::kFlagCount) return true;
    CLog::Write("%s: flag index %d is outside 0-255", c.CommandName(), static_cast<int32_t>(index));
    return false;
}

void GetGlobalFlag(CCommandContext& c) {
    const uint32_t index = c.Script().RegisterAt(kRegA0);
    const bool fits = FlagIndexFits(c, index);
    const int32_t value = fits ? c.Game().GlobalState().flags[index] : 0;
    c.Script().SetRegisterAt(kRegV0, static_cast<uint32_t>(value));
}

void SetGlobalFlag(CCommandContext& c) {
    const uint32_t index = c.Script().RegisterAt(kRegA0);
    if (!FlagIndexFits(c, index)) return;
    c.Game().GlobalState().flags[index] = static_cast<int32_t>(c.Script().RegisterAt(kRegA1));
}

void SetCurScene(CCommandContext& c) {
    CGlobalState& state = c.Game().GlobalState();
    const int32_t scene = c.NextNumber();
    state.prevScene = state.curScene;
    state.curScene = scene;
}

void GetPrevScene(CCommandContext& c) {
    c.Script().SetRegisterAt(kRegV0, static_cast<uint32_t>(c.Game().GlobalState().prevScene));
}

constexpr CommandEntry kFlowCommands[] = {
    {"WaitForEvent", WaitForEvent, {"e"}},
    {"j", Jump, {"l"}},
    {"beq", BranchIfEqual, {"rrl"}},
    {"move", Move, {"wv"}},
    {"Terminate", Terminate, {""}},
    {"End", End, {""}},
    {"Debug", Debug, {"x"}},
    {"ChangeMode", ChangeMode, {"", "m"}},
    {"GetGlobalFlag", GetGlobalFlag, {"", "f"}},
    {"SetGlobalFlag", SetGlobalFlag, {"", "f"}},
    {"SetCurScene", SetCurScene, {"n"}},
    {"GetPrevScene", GetPrevScene, {""}},
};

}  // namespace

std::span<const CommandEntry> FlowCommands() {
    return kFlowCommands;
}
