#pragma once
#include <cstdint>
#include <memory>

class CGame;
class CScript;

// Placeholder until the script engine lands: runs nothing.
class CScriptManager {
public:
    static constexpr uint8_t kEventMouseDown = 1;
    static constexpr uint8_t kEventHeroStop = 10;

    explicit CScriptManager(CGame& game) : m_game(game) {}
    void Start() {}
    void Update() {}
    void RaiseEvent(uint8_t) {}
    void Restart(CScript&) {}
    void Retire(std::unique_ptr<CScript>) {}

private:
    [[maybe_unused]] CGame& m_game;
};
