// The commands that let the player choose: options are added one at a time,
// then shown; the script waits on "ShowChoices" until the player picks one.
#include "app/Game.h"
#include "app/Log.h"
#include "choices/ChoiceMenu.h"
#include "controllers/ControllerDialogue.h"
#include "scripting/CommandContext.h"
#include "scripting/CommandTable.h"
#include "scripting/Script.h"
#include "story/Story.h"
#include "world/Entity.h"
#include "world/Mode.h"

namespace {

// The dialogue controller is in both chains, so the menu is always found.
CChoiceMenu* Menu(CCommandContext& c) {
    CControllerDialogue* dialogue = c.Game().Dialogue();
    return dialogue ? &dialogue->Choices() : nullptr;
}

// The text is one token, in the story's encoding, cut as dialogue texts are.
void AddChoice(CCommandContext& c) {
    const char* text = c.NextText();
    CChoiceMenu* menu = Menu(c);
    if (!menu) return;
    if (menu->IsOpen())
        CLog::Write("AddChoice: the choices are already shown; option %s refused", text);
    else if (!menu->Add(text, c.Game().Story().Encoding()))
        CLog::Write("AddChoice: at most %d options; option %s refused", CChoiceMenu::kMaxOptions,
                    text);
}

// A hero walking to an earlier click stops: it does not walk while the
// player chooses.
void StopHero(CCommandContext& c) {
    CMode* mode = c.Game().GetMode();
    CEntity* hero = mode ? mode->GetHero() : nullptr;
    if (hero && hero->IsMoving()) hero->Stop();
}

// Runs again at each step while the menu is open, so the script waits in
// place without an event; once the player has picked, $v0 = the option's
// number from 1 and the options are gone. Without options: $v0 = 0 (logged).
void ShowChoices(CCommandContext& c) {
    CChoiceMenu* menu = Menu(c);
    if (!menu) return;
    if (const int pick = menu->TakePick()) {
        c.Script().SetRegisterAt(kRegV0, static_cast<uint32_t>(pick));
        return;
    }
    if (!menu->IsOpen()) {
        if (!menu->Open()) {
            CLog::Write("ShowChoices: no options to show");
            c.Script().SetRegisterAt(kRegV0, 0);
            return;
        }
        StopHero(c);
    }
    c.RepeatCommand();
}

constexpr CommandEntry kChoiceCommands[] = {
    {"AddChoice", AddChoice, {.args = "x"}},  // its text is cut as it is shown
    {"ShowChoices", ShowChoices, {.args = ""}},
};

}  // namespace

std::span<const CommandEntry> ChoiceCommands() {
    return kChoiceCommands;
}
