#pragma once
#include "platform/AudioOut.h"
#include "platform/sdl/MixerLibrary.h"

#include <map>
#include <memory>
#include <string>

struct MixerDeleter {
    void operator()(Mix_Music* p) const { MixerLibrary::Loaded().freeMusic(p); }
    void operator()(Mix_Chunk* p) const { MixerLibrary::Loaded().freeChunk(p); }
};
using MusicPtr = std::unique_ptr<Mix_Music, MixerDeleter>;
using ChunkPtr = std::unique_ptr<Mix_Chunk, MixerDeleter>;

// The window backend's sound: SDL_mixer on SDL's audio device, closed with
// the object (owned by CSdlPlatform). Open only tries the device; SDL_mixer
// is loaded and the device opened for good on the first music or effect
// (MixerLibrary says why). Music streams from its file; an effect is
// decoded whole on its first play and kept.
class CMixerAudio : public CAudioOut {
public:
    static constexpr int kFadeMs = 250;
    static constexpr int kChannels = 16;  // effects heard at once; one more is dropped

    // Null when the device cannot be opened; `error` says why. SDL's audio
    // subsystem must be started.
    // A device that opens here but not later, or SDL_mixer missing or
    // without its Vorbis decoder, is said by the first play, and by every
    // play after it.
    static std::unique_ptr<CMixerAudio> Open(std::string& error);
    CMixerAudio(const CMixerAudio&) = delete;
    CMixerAudio& operator=(const CMixerAudio&) = delete;
    ~CMixerAudio() override;

    bool PlayMusic(const std::string& path, std::string& error) override;
    void StopMusic() override;
    bool PlaySound(const std::string& path, std::string& error) override;
    void SetVolume(int percent) override;
    int Volume() const override;

    // Once a loop pass: starts the music that waits for the old one to fade.
    void Pump();

private:
    CMixerAudio() = default;
    bool Start(std::string& error);
    bool StartPending(std::string& error);

    const MixerLibrary* m_mix = nullptr;  // once started
    std::string m_startError;             // why it could not start; then it never tries again
    int m_volume = MIX_MAX_VOLUME;        // SDL_mixer's own scale, applied when it starts

    MusicPtr m_music;    // playing, or fading out
    MusicPtr m_pending;  // to start once m_music has faded out
    std::map<std::string, ChunkPtr> m_effects;
};
