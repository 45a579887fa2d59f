#include "platform/sdl/MixerLibrary.h"

#include <dlfcn.h>

namespace {

constexpr const char* kLibrary = "libSDL2_mixer-2.0.so.0";

MixerLibrary g_library{};
bool g_loaded = false;

template <typename Fn>
bool Resolve(void* handle, const char* name, Fn& fn, std::string& error) {
    fn = reinterpret_cast<Fn>(dlsym(handle, name));
    if (!fn) error = std::string(kLibrary) + " has no " + name;
    return fn != nullptr;
}

bool ResolveAll(void* handle, MixerLibrary& l, std::string& error) {
    return Resolve(handle, "Mix_Init", l.init, error) &&
           Resolve(handle, "Mix_Quit", l.quit, error) &&
           Resolve(handle, "Mix_OpenAudio", l.openAudio, error) &&
           Resolve(handle, "Mix_CloseAudio", l.closeAudio, error) &&
           Resolve(handle, "Mix_AllocateChannels", l.allocateChannels, error) &&
           Resolve(handle, "Mix_LoadMUS", l.loadMusic, error) &&
           Resolve(handle, "Mix_FreeMusic", l.freeMusic, error) &&
           Resolve(handle, "Mix_FadeInMusic", l.fadeInMusic, error) &&
           Resolve(handle, "Mix_FadeOutMusic", l.fadeOutMusic, error) &&
           Resolve(handle, "Mix_FadingMusic", l.fadingMusic, error) &&
           Resolve(handle, "Mix_PlayingMusic", l.playingMusic, error) &&
           Resolve(handle, "Mix_Playing", l.playing, error) &&
           Resolve(handle, "Mix_HaltMusic", l.haltMusic, error) &&
           Resolve(handle, "Mix_HaltChannel", l.haltChannel, error) &&
           Resolve(handle, "Mix_LoadWAV", l.loadWav, error) &&
           Resolve(handle, "Mix_FreeChunk", l.freeChunk, error) &&
           Resolve(handle, "Mix_PlayChannel", l.playChannel, error) &&
           Resolve(handle, "Mix_VolumeMusic", l.volumeMusic, error) &&
           Resolve(handle, "Mix_Volume", l.volume, error);
}

}  // namespace

const MixerLibrary* MixerLibrary::Load(std::string& error) {
    if (g_loaded) return &g_library;
    // Never closed: its codecs may keep threads and atexit handlers.
    void* handle = dlopen(kLibrary, RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        error = why ? why : std::string("cannot load ") + kLibrary;
        return nullptr;
    }
    MixerLibrary library{};
    if (!ResolveAll(handle, library, error)) return nullptr;
    g_library = library;
    g_loaded = true;
    return &g_library;
}

const MixerLibrary& MixerLibrary::Loaded() {
    return g_library;
}
