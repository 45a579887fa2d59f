#pragma once
// The SDL_mixer functions Tabi calls, from the library loaded on the first
// sound or music rather than at start: SDL_mixer brings a dozen codec
// libraries (MIDI, MOD, FLAC, Opus and theirs) that keep some 2.3 MiB
// resident even unused, and a story that plays nothing never needs them.
#include <SDL_mixer.h>

#include <string>

struct MixerLibrary {
    decltype(&Mix_Init) init;
    decltype(&Mix_Quit) quit;
    decltype(&Mix_OpenAudio) openAudio;
    decltype(&Mix_CloseAudio) closeAudio;
    decltype(&Mix_AllocateChannels) allocateChannels;
    decltype(&Mix_LoadMUS) loadMusic;
    decltype(&Mix_FreeMusic) freeMusic;
    decltype(&Mix_FadeInMusic) fadeInMusic;
    decltype(&Mix_FadeOutMusic) fadeOutMusic;
    decltype(&Mix_FadingMusic) fadingMusic;
    decltype(&Mix_PlayingMusic) playingMusic;
    decltype(&Mix_Playing) playing;
    decltype(&Mix_HaltMusic) haltMusic;
    decltype(&Mix_HaltChannel) haltChannel;
    decltype(&Mix_LoadWAV) loadWav;
    decltype(&Mix_FreeChunk) freeChunk;
    decltype(&Mix_PlayChannel) playChannel;
    decltype(&Mix_VolumeMusic) volumeMusic;
    decltype(&Mix_Volume) volume;

    // Loads the library once, on the game thread, and keeps it to the end of
    // the run; null (and `error` says why) when it or a function is missing.
    static const MixerLibrary* Load(std::string& error);
    // The library Load gave: only what was made through it calls this.
    static const MixerLibrary& Loaded();
};
