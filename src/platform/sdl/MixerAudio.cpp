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
constexpr int kProbeSamples = 64;  // see Open

}  // namespace

// The device SDL_mixer will ask for, opened and closed again: a machine
// without sound is told at start, as if SDL_mixer had opened it. Closing
// waits for SDL's audio thread to finish a chunk of silence: with chunks of
// 64 samples that is under 2 ms, where the mixer's own 1024 took 46 ms.
std::unique_ptr<CMixerAudio> CMixerAudio::Open(std::string& error) {
    SDL_AudioSpec wanted{};
    wanted.freq = kRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = kProbeSamples;
    SDL_AudioSpec obtained{};
    const SDL_AudioDeviceID device =
        SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, SDL_AUDIO_ALLOW_ANY_CHANGE);
    if (device == 0) {
        error = SDL_GetError();
        return nullptr;
    }
    SDL_CloseAudioDevice(device);
    return std::unique_ptr<CMixerAudio>(new CMixerAudio());
}

CMixerAudio::~CMixerAudio() {
    if (m_open) Sleep();
    if (m_mix) m_mix->quit();
}

// Loads SDL_mixer once, then opens the device if it is closed.
bool CMixerAudio::Start(std::string& error) {
    if (m_mix) return Wake(error);
    if (!m_startError.empty()) return error = m_startError, false;
    const MixerLibrary* mix = MixerLibrary::Load(m_startError);
    // Without the Vorbis decoder only WAV would play: refused whole instead.
    if (mix && (mix->init(MIX_INIT_OGG) & MIX_INIT_OGG) == 0) {
        m_startError = std::string("no OGG Vorbis decoder: ") + Mix_GetError();
        mix->quit();
        mix = nullptr;
    }
    if (!mix) return error = m_startError, false;
    m_mix = mix;
    if (Wake(error)) return true;
    m_startError = error;
    m_mix->quit();
    m_mix = nullptr;
    return false;
}

// SDL_mixer makes its channels anew, at full volume: the player's volume
// (a mute too) is set again before anything plays.
bool CMixerAudio::Wake(std::string& error) {
    if (m_open) return true;
    if (m_mix->openAudio(kRate, AUDIO_S16SYS, 2, kChunkSamples) != 0) {
        error = Mix_GetError();
        return false;
    }
    m_mix->allocateChannels(kChannels);
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
    m_mix->haltMusic();
    m_mix->haltChannel(-1);
    m_music.reset();
    m_pending.reset();
    m_effects.clear();
    m_mix->closeAudio();
    m_open = false;
}

// A music fading out still counts until its fade ends.
bool CMixerAudio::IsAudible() const {
    return m_pending || m_mix->playingMusic() || m_mix->playing(-1) > 0;
}

bool CMixerAudio::PlayMusic(const std::string& path, std::string& error) {
    if (!Start(error)) return false;
    MusicPtr music(m_mix->loadMusic(path.c_str()));
    if (!music) {
        error = Mix_GetError();
        return false;
    }
    m_pending = std::move(music);
    // Mix_FadeInMusic would block until a fading music is gone: the new one
    // waits for Pump instead.
    if (m_mix->playingMusic() && m_mix->fadingMusic() != MIX_FADING_OUT)
        m_mix->fadeOutMusic(kFadeMs);
    return m_mix->playingMusic() ? true : StartPending(error);
}

void CMixerAudio::StopMusic() {
    m_pending.reset();
    if (m_open && m_mix->playingMusic() && m_mix->fadingMusic() != MIX_FADING_OUT)
        m_mix->fadeOutMusic(kFadeMs);
}

bool CMixerAudio::StartPending(std::string& error) {
    m_music = std::move(m_pending);
    if (m_mix->fadeInMusic(m_music.get(), -1, kFadeMs) == 0) return true;
    error = Mix_GetError();
    return false;
}

void CMixerAudio::Pump(bool hidden) {
    if (!m_mix) return;  // nothing ever played
    std::string error;
    if (!hidden && !m_open && !m_wakeFailed && !Wake(error)) {
        m_wakeFailed = true;  // said once; every play says it again in the log
        std::fprintf(stderr, "tabi: cannot open the sound device again: %s\n", error.c_str());
    }
    if (!m_open) return;
    if (m_pending && !m_mix->playingMusic()) StartPending(error);  // the file loaded; rarely fails
    if (hidden && !IsAudible()) Sleep();
}

bool CMixerAudio::PlaySound(const std::string& path, std::string& error) {
    if (!Start(error)) return false;
    auto found = m_effects.find(path);
    if (found == m_effects.end()) {
        ChunkPtr chunk(m_mix->loadWav(path.c_str()));
        if (!chunk) {
            error = Mix_GetError();
            return false;
        }
        found = m_effects.emplace(path, std::move(chunk)).first;
    }
    if (m_mix->playChannel(-1, found->second.get(), 0) >= 0) return true;
    error = Mix_GetError();
    return false;
}

void CMixerAudio::SetVolume(int percent) {
    m_volume = (std::clamp(percent, 0, kMaxVolume) * MIX_MAX_VOLUME + 50) / kMaxVolume;
    if (m_open) ApplyVolume();
}

void CMixerAudio::ApplyVolume() const {
    m_mix->volumeMusic(m_volume);
    m_mix->volume(-1, m_volume);
}

int CMixerAudio::Volume() const {
    return (m_volume * kMaxVolume + MIX_MAX_VOLUME / 2) / MIX_MAX_VOLUME;
}
