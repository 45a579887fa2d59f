#pragma once
#include <string>

// The sound device as the engine plays it: one looping music and any number
// of effects at once, from OGG Vorbis or WAV files (paths relative to the
// story folder), under one volume. What cannot be played says why in `error`
// and plays nothing; nothing here ends a run.
class CAudioOut {
public:
    static constexpr int kMaxVolume = 100;

    virtual ~CAudioOut() = default;

    // Loops until stopped or replaced. A music already playing fades out
    // first; the new one then fades in.
    virtual bool PlayMusic(const std::string& path, std::string& error) = 0;
    virtual void StopMusic() = 0;  // fades out
    virtual bool PlaySound(const std::string& path, std::string& error) = 0;
    // 0 (silent) to kMaxVolume, for the music and the effects alike.
    virtual void SetVolume(int percent) = 0;
    // The volume the device plays at now, 0 to kMaxVolume.
    virtual int Volume() const = 0;
};
