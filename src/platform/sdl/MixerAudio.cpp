#include "platform/sdl/MixerAudio.h"

#include <algorithm>

namespace {

// 44.1 kHz, 16-bit stereo in chunks of 1024 samples (23 ms): the mixer's
// thread wakes and decodes once a chunk, so 512 would double the CPU a
// playing music costs (0.4 % -> 0.8 % of a core) for latency an adventure
// does not need. The price is a close some 25 ms longer at exit.
constexpr int kRate = 44100;
constexpr int kChunkSamples = 1024;

}  // namespace

// The device SDL_mixer will ask for, opened and closed again: a machine
// without sound is told at start, as if SDL_mixer had opened it.
std::unique_ptr<CMixerAudio> CMixerAudio::Open(std::string& error) {
    SDL_AudioSpec wanted{};
    wanted.freq = kRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = kChunkSamples;
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

// Halted first: freeing a music that is fading out waits for the fade.
CMixerAudio::~CMixerAudio() {
    if (!m_mix) return;
    m_mix->haltMusic();
    m_mix->haltChannel(-1);
    m_music.reset();
    m_pending.reset();
    m_effects.clear();
    m_mix->closeAudio();
    m_mix->quit();
}

bool CMixerAudio::Start(std::string& error) {
    if (m_mix) return true;
    if (!m_startError.empty()) return error = m_startError, false;
    const MixerLibrary* mix = MixerLibrary::Load(m_startError);
    // Without the Vorbis decoder only WAV would play: refused whole instead.
    if (mix && (mix->init(MIX_INIT_OGG) & MIX_INIT_OGG) == 0) {
        m_startError = std::string("no OGG Vorbis decoder: ") + Mix_GetError();
        mix = nullptr;
    } else if (mix && mix->openAudio(kRate, AUDIO_S16SYS, 2, kChunkSamples) != 0) {
        m_startError = Mix_GetError();
        mix->quit();
        mix = nullptr;
    }
    if (!mix) return error = m_startError, false;
    m_mix = mix;
    m_mix->allocateChannels(kChannels);
    m_mix->volumeMusic(m_volume);
    m_mix->volume(-1, m_volume);
    return true;
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
    if (m_mix && m_mix->playingMusic() && m_mix->fadingMusic() != MIX_FADING_OUT)
        m_mix->fadeOutMusic(kFadeMs);
}

bool CMixerAudio::StartPending(std::string& error) {
    m_music = std::move(m_pending);
    if (m_mix->fadeInMusic(m_music.get(), -1, kFadeMs) == 0) return true;
    error = Mix_GetError();
    return false;
}

void CMixerAudio::Pump() {
    std::string error;
    if (m_mix && m_pending && !m_mix->playingMusic())
        StartPending(error);  // the file loaded; rarely fails
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
    if (!m_mix) return;
    m_mix->volumeMusic(m_volume);
    m_mix->volume(-1, m_volume);
}

int CMixerAudio::Volume() const {
    const int volume = m_mix ? m_mix->volumeMusic(-1) : m_volume;
    return (volume * kMaxVolume + MIX_MAX_VOLUME / 2) / MIX_MAX_VOLUME;
}
