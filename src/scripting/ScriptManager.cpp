#include "scripting/ScriptManager.h"

#include "app/Assert.h"
#include "app/Game.h"
#include "app/Log.h"
#include "app/Options.h"
#include "display/Database.h"
#include "scripting/Script.h"
#include "story/Story.h"

#include <string>

namespace {

struct EventName {
    std::string_view name;
    uint8_t code;
};
constexpr EventName kEventNames[] = {
    {"EVENT_MOUSE_DOWN", CScriptManager::kEventMouseDown},
    {"EVENT_HERO_STOP", CScriptManager::kEventHeroStop},
};

constexpr size_t kListCapacity = 64;  // enough that a story's list changes never allocate

}  // namespace

CScriptManager::CScriptManager(CGame& game) : m_game(game) {
    m_running.reserve(kListCapacity);
    m_pending.reserve(kListCapacity);
    m_waiting.reserve(kListCapacity);
}

// Scripts that outlive the manager must not call back into it.
CScriptManager::~CScriptManager() {
    for (List* list : {&m_running, &m_pending, &m_waiting}) {
        for (CScript* script : *list) {
            script->m_manager = nullptr;
            script->m_listEntries = 0;
        }
        list->clear();
    }
    m_start.reset();
}

uint8_t CScriptManager::EventCode(std::string_view name) {
    for (const EventName& event : kEventNames)
        if (event.name == name) return event.code;
    return kEventNone;
}

std::vector<std::string_view> CScriptManager::EventNames() {
    std::vector<std::string_view> names;
    for (const EventName& event : kEventNames)
        names.push_back(event.name);
    return names;
}

bool CScriptManager::Start() {
    m_start = m_game.GetDatabase().LoadScript(CScriptTable::kStartScript);
    if (!m_start || !m_start->IsOpen()) {
        const std::string path(m_game.Story().Scripts().PathOf(CScriptTable::kStartScript));
        CLog::Write("CScriptManager::Start() no start script: %s is missing or cannot be read",
                    path.c_str());
        return false;
    }
    // The command line made sure the label is there (--start-at).
    if (const std::string& label = m_game.GetOptions().startLabel; !label.empty())
        m_start->FindLabel(label);
    m_start->SetState(ScriptState::Running);
    Push(m_running, *m_start);
    return true;
}

// [SECTION] The frame's walk. Every rule about list order lives here:
//
// 1. Pending scripts enter first, head to tail, appended to the running list;
//    the pending list is then empty.
// 2. A pass visits the running list from head to tail. A Running entry takes
//    one step; a Ready entry (restarted while listed) moves to the tail of the
//    pending list, a Waiting one to the tail of the waiting list, an Ended one
//    is dropped. The entry after a removed one is visited next; entries
//    appended during the pass are visited in the same pass.
// 3. A step that changes mode ends the frame's script work at once; every list
//    keeps what it holds. Otherwise passes go on while the running list is not
//    empty, at most kMaxPasses of them.
// 4. A script destroyed during a step (by its owner) leaves every list at
//    once: entries before the walk's position shift it back by one, and when
//    the entry stepping is gone the walk goes on with the entry that follows.
//
// RaiseEvent and Restart only touch the pending and waiting lists, so they may
// be called from a step.
void CScriptManager::Update() {
    TakeInPending();
    for (int pass = 0; pass < kMaxPasses && !m_running.empty(); ++pass)
        if (!RunPass()) return;
}

void CScriptManager::TakeInPending() {
    for (CScript* script : m_pending) {
        TABI_ASSERT(script->m_manager == this && "a listed script knows its manager");
        script->SetState(ScriptState::Running);
        m_running.push_back(script);  // one entry moves: the script's count stays
    }
    m_pending.clear();
}

bool CScriptManager::RunPass() {
    m_walk = 0;
    while (m_walk < m_running.size()) {
        CScript& script = *m_running[m_walk];
        if (script.State() != ScriptState::Running) {
            SettleAt(m_walk);
            continue;
        }
        m_walkEntryGone = false;
        const StepResult result = script.Run(m_game);  // may destroy the script
        if (!m_walkEntryGone) ++m_walk;
        if (result != StepResult::Done) return false;
    }
    return true;
}

// Kept out of the stepping loop: list changes are rare next to steps.
void CScriptManager::SettleAt(size_t index) {
    switch (m_running[index]->State()) {
        case ScriptState::Ready:
            MoveAt(m_running, index, m_pending);
            break;
        case ScriptState::Waiting:
            MoveAt(m_running, index, m_waiting);
            break;
        case ScriptState::Ended:
            EraseAt(m_running, index);
            break;
        case ScriptState::Running:
            break;
    }
}

void CScriptManager::RaiseEvent(uint8_t code) {
    if (code == kEventNone) return;
    for (size_t i = 0; i < m_waiting.size();) {
        CScript& script = *m_waiting[i];
        if (script.AwaitedEvent() != code) {
            ++i;
            continue;
        }
        script.SetState(ScriptState::Ready);
        MoveAt(m_waiting, i, m_pending);
    }
}

void CScriptManager::Restart(CScript& script) {
    if (!script.IsOpen()) return;  // a file that could not be opened never runs
    script.SetState(ScriptState::Ready);
    script.Rewind();
    Push(m_pending, script);
}

// [SECTION] List bookkeeping: a script knows its manager while it has entries.

void CScriptManager::Push(List& list, CScript& script) {
    TABI_ASSERT((!script.m_manager || script.m_manager == this) &&
                "a script stands in the lists of one manager at a time");
    list.push_back(&script);
    script.m_manager = this;
    ++script.m_listEntries;
}

void CScriptManager::EraseAt(List& list, size_t index) {
    CScript& script = *list[index];
    TABI_ASSERT(script.m_listEntries > 0 && "each entry of a script is counted");
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(index));
    if (--script.m_listEntries == 0) script.m_manager = nullptr;
}

void CScriptManager::MoveAt(List& from, size_t index, List& to) {
    to.push_back(from[index]);
    from.erase(from.begin() + static_cast<std::ptrdiff_t>(index));
}

void CScriptManager::Forget(CScript& script) {
    for (size_t i = 0; i < m_running.size();) {
        if (m_running[i] != &script) {
            ++i;
            continue;
        }
        m_running.erase(m_running.begin() + static_cast<std::ptrdiff_t>(i));
        if (i < m_walk)
            --m_walk;
        else if (i == m_walk)
            m_walkEntryGone = true;
    }
    std::erase(m_pending, &script);
    std::erase(m_waiting, &script);
    script.m_listEntries = 0;
    script.m_manager = nullptr;
}
