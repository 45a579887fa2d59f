#include "sound/SoundManager.h"

#include "app/Game.h"
#include "app/Log.h"
#include "platform/Platform.h"

#include <cstdio>
#include <string>

bool CSoundManager::Init() {
    std::string error;
    if (m_game.Platform().OpenAudio(error)) return true;
    CLog::Write("CSoundManager::Init() DirectSoundCreate Failed\n");
    std::fprintf(stderr, "tabi: %s\n", error.c_str());
    return false;
}
