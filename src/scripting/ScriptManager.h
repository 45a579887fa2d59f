#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

class CGame;
class CScript;

// Runs the scripts cooperatively, one command per script per pass, up to
// kMaxPasses passes a frame; parks scripts that wait for an event and takes
// in those woken or restarted. Owned by the game object. It owns only the
// start script: its running, pending and waiting lists borrow the scripts of
// entities and traps, and a script leaves every list when it is destroyed.
class CScriptManager {
public:
    static constexpr uint8_t kEventNone = 0;  // awaited before any WaitForEvent names one
    static constexpr uint8_t kEventMouseDown = 1;
    static constexpr uint8_t kEventHeroStop = 10;
    static constexpr int kMaxPasses = 102;

    explicit CScriptManager(CGame& game);
    explicit CScriptManager(CGame&&) = delete;
    CScriptManager(const CScriptManager&) = delete;
    CScriptManager& operator=(const CScriptManager&) = delete;
    ~CScriptManager();

    // The event code of a name that stories use, kEventNone for any other.
    static uint8_t EventCode(std::string_view name);
    // Every event name a story may wait for.
    static std::vector<std::string_view> EventNames();

    // Loads script 0 and makes it run. False (logged, naming the file) when
    // it cannot be opened: a story without its start script has nothing to
    // play, and the run ends as a failure.
    bool Start();
    void Update();
    // Wakes every script waiting for `code`. An event no script waits for is
    // dropped: a script that starts waiting later does not see it.
    void RaiseEvent(uint8_t code);
    // Runs the script again from its first token, from the next Update on.
    // It is not looked for in the lists: a listed script gains an entry.
    void Restart(CScript& script);

    CScript* StartScript() const { return m_start.get(); }
    std::span<CScript* const> Running() const { return m_running; }
    std::span<CScript* const> Pending() const { return m_pending; }
    std::span<CScript* const> Waiting() const { return m_waiting; }

private:
    friend class CScript;  // its destructor calls Forget

    using List = std::vector<CScript*>;

    void TakeInPending();
    bool RunPass();
    [[gnu::noinline]] void SettleAt(size_t index);
    void Push(List& list, CScript& script);
    void EraseAt(List& list, size_t index);
    void MoveAt(List& from, size_t index, List& to);
    // Takes every entry of a script that is being destroyed out of the lists.
    void Forget(CScript& script);

    CGame& m_game;
    List m_running;  // borrowed, like the two lists below
    List m_pending;
    List m_waiting;
    std::unique_ptr<CScript> m_start;
    size_t m_walk = 0;             // the running entry the current pass is at
    bool m_walkEntryGone = false;  // Forget removed that entry during its step
};
