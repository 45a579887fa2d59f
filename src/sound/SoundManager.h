#pragma once

class CGame;

// Opens the audio device at start-up (44.1 kHz, 16-bit stereo) and holds it
// until shutdown. Nothing is played yet. Owned by the game object.
class CSoundManager {
public:
    explicit CSoundManager(CGame& game) : m_game(game) {}
    CSoundManager(const CSoundManager&) = delete;
    CSoundManager& operator=(const CSoundManager&) = delete;

    // False when there is no usable audio device: the program must end.
    bool Init();

private:
    CGame& m_game;
};
