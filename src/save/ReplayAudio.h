#pragma once
#include "platform/AudioOut.h"
#include "platform/Platform.h"

#include <optional>
#include <string>

// The sound of a game while its history is replayed: nothing is heard (a
// load must not play an hour of effects at once), but the music the story
// asked for last is kept, so that going live leaves the device playing
// exactly what the game would be playing had it never been saved.
class CReplayAudio : public CAudioOut {
public:
    explicit CReplayAudio(CPlatform& device) : m_device(device) {}

    bool PlayMusic(const std::string& path, std::string&) override {
        m_music = path;
        return true;
    }
    void StopMusic() override { m_music.reset(); }
    bool PlaySound(const std::string&, std::string&) override { return true; }
    void SetVolume(int percent) override { m_device.Audio().SetVolume(percent); }
    int Volume() const override { return m_device.Audio().Volume(); }

    // Hands the kept music to the device (or stops what an earlier game left
    // playing there); a file that no longer plays says why in `error`.
    bool GoLive(std::string& error) {
        if (!m_music) {
            m_device.Audio().StopMusic();
            return true;
        }
        return m_device.Audio().PlayMusic(*m_music, error);
    }

private:
    CPlatform& m_device;  // borrowed: its audio is opened after this is made
    std::optional<std::string> m_music;
};
