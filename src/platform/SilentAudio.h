#pragma once
#include "platform/AudioOut.h"

// Plays nothing and accepts everything: the sound of a headless run, which
// opens no device, and of a window backend before its device is open.
class CSilentAudio : public CAudioOut {
public:
    bool PlayMusic(const std::string&, std::string&) override { return true; }
    void StopMusic() override {}
    bool PlaySound(const std::string&, std::string&) override { return true; }
    void SetVolume(int percent) override { m_volume = percent; }
    int Volume() const override { return m_volume; }

private:
    int m_volume = kMaxVolume;
};
