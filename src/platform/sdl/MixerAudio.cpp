#include "platform/sdl/MixerAudio.h"

#include <algorithm>
#include <cstdio>

namespace {

// 44.1 kHz, 16-bit stereo in chunks of 1024 samples (23 ms): the mixer's
// thread wakes and decodes once a chunk, so 512 would double the CPU a
// playing music costs (0.4 % -> 0.8 % of a core) for latency an adventure
// does not need. The price is a close some 25 ms longer at exit.
constexpr int kRate = 44100;
constexpr int kChunkSamples = 1024;

}  // namespace

std::unique_ptr<CMixerAudio> CMixerAudio::Open(std::string& error) {
    // Without the Vorbis decoder only WAV plays: said here, not at each play.
    if ((Mix_Init(MIX_INIT_OGG) & MIX_INIT_OGG) == 0) {
        error = std::string("no OGG Vorbis decoder: ") + Mix_GetError();
        return nullptr;
    }
    if (!OpenDevice(error)) {
        Mix_Quit();
        return nullptr;
    }
    return std::unique_ptr<CMixerAudio>(new CMixerAudio());
}

bool CMixerAudio::OpenDevice(std::string& error) {
    if (Mix_OpenAudio(kRate, AUDIO_S16SYS, 2, kChunkSamples) != 0) {
        error = Mix_GetError();
        return false;
    }
    Mix_AllocateChannels(kChannels);
    return true;
}

CMixerAudio::~CMixerAudio() {
    if (m_open) Sleep();
    Mix_Quit();
}

// SDL_mixer makes its channels anew, at full volume: the player's volume
// (a mute too) is set again before anything plays.
bool CMixerAudio::Wake(std::string& error) {
    if (m_open) return true;
    if (!OpenDevice(error)) return false;
    m_open = true;
    m_wakeFailed = false;
    ApplyVolume();
    return true;
}

// Everything the device holds goes with it, halted first: freeing a music
// that is fading out waits for the fade, and an effect is freed while
// SDL_mixer still has the channels it checks it against. The next play of an
// effect decodes it again.
void CMixerAudio::Sleep() {
    Mix_HaltMusic();
    Mix_HaltChannel(-1);
    m_music.reset();
    m_pending.reset();
    m_effects.clear();
    Mix_CloseAudio();
    m_open = false;
}

// A music fading out still counts until its fade ends.
bool CMixerAudio::IsAudible() const {
    return m_pending || Mix_PlayingMusic() || Mix_Playing(-1) > 0;
}

bool CMixerAudio::PlayMusic(const std::string& path, std::string& error) {
    if (!Wake(error)) return false;
    MusicPtr music(Mix_LoadMUS(path.c_str()));
    if (!music) {
        error = Mix_GetError();
        return false;
    }
    m_pending = std::move(music);
    // Mix_FadeInMusic would block until a fading music is gone: the new one
    // waits for Pump instead.
    if (Mix_PlayingMusic() && Mix_FadingMusic() != MIX_FADING_OUT) Mix_FadeOutMusic(kFadeMs);
    return Mix_PlayingMusic() ? true : StartPending(error);
}

void CMixerAudio::StopMusic() {
    m_pending.reset();
    if (m_open && Mix_PlayingMusic() && Mix_FadingMusic() != MIX_FADING_OUT)
        Mix_FadeOutMusic(kFadeMs);
}

bool CMixerAudio::StartPending(std::string& error) {
    m_music = std::move(m_pending);
    if (Mix_FadeInMusic(m_music.get(), -1, kFadeMs) == 0) return true;
    error = Mix_GetError();
    return false;
}

void CMixerAudio::Pump(bool hidden) {
    std::string error;
    if (!hidden && !m_open && !m_wakeFailed && !Wake(error)) {
        m_wakeFailed = true;  // said once; every play says it again in the log
        std::fprintf(stderr, "tabi: cannot open the sound device again: %s\n", error.c_str());
    }
    if (!m_open) return;
    if (m_pending && !Mix_PlayingMusic()) StartPending(error);  // the file loaded; rarely fails
    if (hidden && !IsAudible()) Sleep();
}

bool CMixerAudio::PlaySound(const std::string& path, std::string& error) {
    if (!Wake(error)) return false;
    auto found = m_effects.find(path);
    if (found == m_effects.end()) {
        ChunkPtr chunk(Mix_LoadWAV(path.c_str()));
        if (!chunk) {
            error = Mix_GetError();
            return false;
        }
        found = m_effects.emplace(path, std::move(chunk)).first;
    }
    if (Mix_PlayChannel(-1, found->second.get(), 0) >= 0) return true;
    error = Mix_GetError();
    return false;
}

void CMixerAudio::SetVolume(int percent) {
    m_mixVolume = (std::clamp(percent, 0, kMaxVolume) * MIX_MAX_VOLUME + 50) / kMaxVolume;
    if (m_open) ApplyVolume();
}

void CMixerAudio::ApplyVolume() const {
    Mix_VolumeMusic(m_mixVolume);
    Mix_Volume(-1, m_mixVolume);
}

int CMixerAudio::Volume() const {
    return (m_mixVolume * kMaxVolume + MIX_MAX_VOLUME / 2) / MIX_MAX_VOLUME;
}
