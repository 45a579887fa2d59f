#pragma once
#include "app/Game.h"
#include "app/Options.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

class CPlatform;
class CStory;
class CTempStory;

// A headless game on a story folder, run frame by frame in this process, so a
// test can act between frames as the input poll or the scene would (raise an
// event, restart a script). The log goes to the story's log.txt; the story's
// input.txt, when it has one, is replayed. The game plays the engine's own
// tables unless it is given a story read from the folder.
class CGameHarness {
public:
    explicit CGameHarness(const CTempStory& story);
    CGameHarness(const CTempStory& folder, const CStory& story);
    explicit CGameHarness(CTempStory&&) = delete;
    CGameHarness(const CGameHarness&) = delete;
    CGameHarness& operator=(const CGameHarness&) = delete;
    ~CGameHarness();

    CGame& Game() { return *m_game; }
    void RunFrames(uint32_t count);
    std::string Log() const;

private:
    std::filesystem::path m_previousDir;
    const CTempStory& m_folder;  // borrowed: a harness lives inside its story's scope
    Options m_options;
    std::unique_ptr<CPlatform> m_platform;
    std::unique_ptr<CGame> m_game;
};
