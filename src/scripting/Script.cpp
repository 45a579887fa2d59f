#include "scripting/Script.h"

#include "app/Log.h"
#include "scripting/CommandContext.h"
#include "scripting/ScriptManager.h"
#include "scripting/ScriptSource.h"
#include "scripting/Trace.h"

#include <algorithm>
#include <limits>

CScript::CScript(std::shared_ptr<const CScriptSource> source) : m_source(std::move(source)) {
    if (!m_source) {
        CLog::Write("CScript::CScript fopen failed\n");
        return;
    }
    m_tokens = m_source->Tokens().data();
    m_tokenCount = static_cast<uint32_t>(m_source->Tokens().size());
}

namespace {

// The place of the command a step runs, set for the log while it runs. Steps
// never nest (a command starts other scripts for a later pass, never runs
// them), so one place serves every step and a step costs three stores.
class CStepPlace final : public CLogPlace {
public:
    void Set(const CScriptSource& source, uint32_t index) {
        m_source = &source;
        m_index = index;
    }
    std::string Text() const override { return m_source->PlaceText(m_index); }

private:
    // The library keeps every loaded file for the game's life, so the source
    // outlives a script destroyed by its own step.
    const CScriptSource* m_source = nullptr;
    uint32_t m_index = 0;
};

CStepPlace g_stepPlace;

}  // namespace

CScript::~CScript() {
    if (m_manager) m_manager->Forget(*this);
    if (CTrace* trace = CTrace::Active()) trace->Forget(*this);
}

StepResult CScript::Run(CGame& game) {
    if (m_state != ScriptState::Running) return StepResult::Done;
    if (m_position >= m_tokenCount) {
        m_state = ScriptState::Ended;
        return StepResult::Done;
    }
    if (CTrace* trace = CTrace::Active()) [[unlikely]]
        return RunTraced(game, *trace);
    return Step(game);
}

StepResult CScript::Step(CGame& game) {
    const uint32_t index = m_position++;
    const ScriptToken& command = m_tokens[index];
    CCommandContext context(game, *this, command);
    g_stepPlace.Set(*m_source, index);
    CLog::SetPlace(&g_stepPlace);
    // The command may destroy this very script (a scene cleared by its own
    // entity's script): nothing of it is touched once the handler returns.
    command.handler(context);
    CLog::SetPlace(nullptr);
    return context.Result();
}

StepResult CScript::RunTraced(CGame& game, CTrace& trace) {
    trace.Begin(*this, *m_source, m_position);
    const StepResult result = Step(game);  // may destroy this script: the trace is told
    trace.End(game.FrameNumber());
    return result;
}

bool CScript::FindLabel(std::string_view name) {
    const uint32_t target = m_source ? m_source->FindLabel(name) : ScriptToken::kNoLabel;
    m_position = target == ScriptToken::kNoLabel ? m_tokenCount : target;
    return target != ScriptToken::kNoLabel;
}

int CScript::ParseRegister(std::string_view token) {
    if (token.empty() || token[0] != '$') return kNotRegister;
    int64_t base = 0;
    switch (token.size() > 1 ? token[1] : '\0') {
        case 'v':
        case 'V':
            base = 2;
            break;
        case 'a':
        case 'A':
            base = 4;
            break;
        case 't':
        case 'T':
            base = 8;
            break;
        default:
            return 0;  // $zero, $x5, $0 and $ alone all name register 0
    }
    const int64_t index = base + ReadNumber(token.substr(2));
    return index >= 0 && index < kRegisterCount ? static_cast<int>(index) : kBadRegister;
}

bool CScript::IsMisspeltRegister(std::string_view token) {
    return ParseRegister(token) == 0 && token != "$zero" && token != "$0";
}

int32_t CScript::ReadNumber(std::string_view text) {
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) ++i;
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min(value * 10 + (text[i] - '0'), kLimit);
    if (negative) return static_cast<int32_t>(-value);
    return static_cast<int32_t>(std::min(value, kLimit - 1));
}

uint32_t CScript::GetRegister(std::string_view token) const {
    const int index = ParseRegister(token);
    return index >= 0 ? m_registers[index] : RejectRead(token);
}

void CScript::SetRegister(std::string_view token, uint32_t value) {
    const int index = ParseRegister(token);
    if (index >= 0)
        SetRegisterAt(index, value);
    else
        RejectWrite(token);
}

// A misspelt name is register 0 to the script, as it always was; the author
// hears of it once.
uint32_t CScript::RejectRead(const ScriptToken& token) const {
    if (token.reg != kMisspeltRegister) return RejectRead(std::string_view(token.text));
    CLog::Warn("%s is no register name; it reads 0, as $zero", token.text);
    return 0;
}

void CScript::RejectWrite(const ScriptToken& token) const {
    if (token.reg != kMisspeltRegister) return RejectWrite(std::string_view(token.text));
    CLog::Warn("%s is no register name; nothing is stored, as in $zero", token.text);
}

uint32_t CScript::RejectRead(std::string_view token) const {
    if (ParseRegister(token) == kNotRegister)
        CLog::Write("CScript::GetRegister() %.*s is not a register name; it reads 0",
                    static_cast<int>(token.size()), token.data());
    else
        CLog::Write("CScript::GetRegister() %.*s is past register 31; it reads 0",
                    static_cast<int>(token.size()), token.data());
    return 0;
}

void CScript::RejectWrite(std::string_view token) const {
    if (ParseRegister(token) == kNotRegister)
        CLog::Write("CScript::SetRegister() %.*s is not a register name; nothing stored",
                    static_cast<int>(token.size()), token.data());
    else
        CLog::Write("CScript::SetRegister() %.*s is past register 31; nothing stored",
                    static_cast<int>(token.size()), token.data());
}
