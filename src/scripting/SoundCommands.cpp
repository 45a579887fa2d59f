// The commands that play the story's sound table: one looping music and
// effects played once, each named by its number in $a0.
#include "app/Game.h"
#include "scripting/CommandContext.h"
#include "scripting/CommandTable.h"
#include "scripting/Script.h"
#include "sound/SoundManager.h"

namespace {

int32_t SoundNumber(CCommandContext& c) {
    return static_cast<int32_t>(c.Script().RegisterAt(kRegA0));
}

void PlayMusic(CCommandContext& c) {
    c.Game().Sound().PlayMusic(SoundNumber(c));
}

void StopMusic(CCommandContext& c) {
    c.Game().Sound().StopMusic();
}

void PlaySound(CCommandContext& c) {
    c.Game().Sound().PlaySound(SoundNumber(c));
}

constexpr CommandEntry kSoundCommands[] = {
    {"PlayMusic", PlayMusic, {.args = ""}},  // $a0: a sound number
    {"StopMusic", StopMusic, {.args = ""}},
    {"PlaySound", PlaySound, {.args = ""}},  // $a0: a sound number
};

}  // namespace

std::span<const CommandEntry> SoundCommands() {
    return kSoundCommands;
}
