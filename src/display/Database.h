#pragma once
#include <memory>

class CGame;
class CSprite;

// The fixed tables that turn numbers into pictures and script files.
// Owned by the game object; holds no data of its own.
class CDatabase {
public:
    explicit CDatabase(CGame& game) : m_game(game) {}
    CDatabase(const CDatabase&) = delete;
    CDatabase& operator=(const CDatabase&) = delete;
    virtual ~CDatabase() = default;

    // A new sprite for a number of the image table, never null: an unknown
    // number gives the empty sprite (no images, no quad), with a log line.
    std::unique_ptr<CSprite> LoadSprite(int number);

private:
    CGame& m_game;
};
