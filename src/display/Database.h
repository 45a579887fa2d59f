#pragma once
#include <memory>

class CGame;

// The fixed tables that turn numbers into pictures and script files.
// Owned by the game object; holds no data of its own.
class CDatabase {
public:
    explicit CDatabase(CGame& game) : m_game(game) {}
    CDatabase(const CDatabase&) = delete;
    CDatabase& operator=(const CDatabase&) = delete;
    virtual ~CDatabase() = default;

private:
    [[maybe_unused]] CGame& m_game;
};
