#pragma once
#include <memory>

class CGame;
class CScript;
class CScriptLibrary;
class CSprite;

// Turns the numbers of the story's tables into pictures and scripts.
// Owned by the game object.
class CDatabase {
public:
    explicit CDatabase(CGame& game);
    CDatabase(const CDatabase&) = delete;
    CDatabase& operator=(const CDatabase&) = delete;
    virtual ~CDatabase();

    // A new sprite for a number of the picture table, never null: an unknown
    // number gives the empty sprite (no images, no quad), with a log line.
    std::unique_ptr<CSprite> LoadSprite(int number);
    // A new script of the script table (see CScriptLibrary); the caller owns it.
    std::unique_ptr<CScript> LoadScript(int number);

private:
    CGame& m_game;
    std::unique_ptr<CScriptLibrary> m_scripts;
};
