#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

class CGame;
class CAudioOut;

// A sound a frame started or stopped, as the render dump shows it.
struct SoundEvent {
    enum class Kind : uint8_t { MusicPlay, MusicStop, Effect };
    Kind kind = Kind::Effect;
    int32_t number = 0;
    std::string file;
};

// Plays the story's sound table: one looping music and any number of effects,
// under the player's volume and mute. What a story starts and stops is the
// same in every run, heard or not: each frame's changes are kept for the
// render dump, and a headless run, which opens no device, shows them there.
// Owned by the game object.
class CSoundManager {
public:
    explicit CSoundManager(CGame& game);
    CSoundManager(const CSoundManager&) = delete;
    CSoundManager& operator=(const CSoundManager&) = delete;

    // False when there is no usable audio device: the program must end.
    bool Init();

    // An unknown number, or a file that cannot be played, is one log line and
    // changes nothing. The music playing already keeps playing.
    void PlayMusic(int32_t number);
    void StopMusic();
    void PlaySound(int32_t number);
    void ToggleMute();

    // What frame `frame` started and stopped, in order.
    const std::vector<SoundEvent>& EventsOf(uint32_t frame) const;

private:
    const std::string* PlayableFile(const char* operation, int32_t number, bool effect);
    void Record(SoundEvent event);
    void ApplyVolume();
    CAudioOut& Audio();

    CGame& m_game;
    int m_volume;
    bool m_muted;
    std::optional<int32_t> m_music;                 // the music playing, by number
    std::map<std::string, std::string> m_verdicts;  // file -> why it cannot play ("": it can)
    uint32_t m_eventFrame = 0;
    std::vector<SoundEvent> m_events;  // of m_eventFrame
};
