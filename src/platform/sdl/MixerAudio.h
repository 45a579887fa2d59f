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
// is loaded and the device opened on the first music or effect (MixerLibrary
// says why). Music streams from its file; an effect is decoded whole on its
// first play and kept while the device stays open. A hidden window with
// nothing to hear closes the device (see Pump).
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
    // With `hidden` set and nothing left to hear, closes the device: SDL's
    // audio thread wakes for every chunk even to play silence, most of a
    // hidden window's CPU. Once SDL_mixer has started, the device opens
    // again when `hidden` is unset, or at once for the next music or effect,
    // which so starts in the same frame.
    void Pump(bool hidden);
    bool IsDeviceOpen() const { return m_open; }

private:
    CMixerAudio() = default;
    bool Start(std::string& error);
    bool Wake(std::string& error);
    void Sleep();
    bool IsAudible() const;
    bool StartPending(std::string& error);
    void ApplyVolume() const;

    const MixerLibrary* m_mix = nullptr;  // once started
    std::string m_startError;             // why it could not start; then it never tries again
    bool m_open = false;                  // the device, opened by Wake, closed by Sleep
    bool m_wakeFailed = false;            // a Pump could not reopen it: the next play retries
    int m_volume = MIX_MAX_VOLUME;        // SDL_mixer's own scale, set again on each opening

    MusicPtr m_music;    // playing, or fading out
    MusicPtr m_pending;  // to start once m_music has faded out
    std::map<std::string, ChunkPtr> m_effects;
};
