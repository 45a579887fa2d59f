// The commands that run a conversation: the dialogue frame's speaker, text and
// portraits, showing and hiding the frame and its parts, and the hero
// controller's free, dialogue and locked states.
#include "app/Game.h"
#include "controllers/ControllerDialogue.h"
#include "controllers/ControllerRPGNormal.h"
#include "display/Database.h"
#include "display/Sprite.h"
#include "platform/TextCodec.h"
#include "scripting/CommandContext.h"
#include "scripting/CommandTable.h"
#include "scripting/Script.h"
#include "ui/DialogueFrame.h"
#include "ui/TextWidget.h"

#include <string>

namespace {

constexpr const char* kIndent = "\xA1\xA1\xA1\xA1";  // two ideographic spaces
constexpr const char* kColon = "\xA3\xBA";           // a full-width colon

// "Dialogue" heads one chain and stands in the other: it is always found.
CControllerDialogue* Dialogue(CCommandContext& c) {
    return dynamic_cast<CControllerDialogue*>(c.Game().FindController("Dialogue"));
}

CControllerRPGNormal* Hero(CCommandContext& c) {
    return dynamic_cast<CControllerRPGNormal*>(c.Game().FindController("ControllerRPGNormal"));
}

bool IsSlot(uint32_t slot) {
    return slot < CDialogueFrame::kPortraitSlots;
}

// The widget keeps at most 199 bytes: a longer text is cut at a character.
void SetDialogueContent(CCommandContext& c) {
    const std::string text = std::string(kIndent) + c.NextText();
    if (CControllerDialogue* dialogue = Dialogue(c)) dialogue->Frame().Content()->SetText(text);
}

// The colon follows whole characters: a lead byte left at the end of the
// name would take the colon's first byte as its own and garble both.
void SetDialogueSpeaker(CCommandContext& c) {
    const std::string text = std::string(CTextCodec::WholeCharacters(c.NextText())) + kColon;
    if (CControllerDialogue* dialogue = Dialogue(c)) dialogue->Frame().Speaker()->SetText(text);
}

// Slots outside 0..49 do not exist: nothing is loaded for them.
void LoadPortrait(CCommandContext& c) {
    const uint32_t slot = c.Script().RegisterAt(kRegA0);
    CControllerDialogue* dialogue = Dialogue(c);
    if (!dialogue || !IsSlot(slot)) return;
    const auto number = static_cast<int32_t>(c.Script().RegisterAt(kRegA1));
    dialogue->Frame().LoadPortrait(static_cast<int>(slot),
                                   c.Game().GetDatabase().LoadSprite(number));
}

void SelectPortrait(CCommandContext& c) {
    const uint32_t slot = c.Script().RegisterAt(kRegA0);
    CControllerDialogue* dialogue = Dialogue(c);
    if (!dialogue || !IsSlot(slot)) return;
    dialogue->Frame().SelectPortrait(static_cast<int>(slot),
                                     static_cast<uint8_t>(c.Script().RegisterAt(kRegA1)));
}

void SetPortraitVisible(CCommandContext& c) {
    if (CControllerDialogue* dialogue = Dialogue(c))
        dialogue->Frame().PortraitWidget()->SetVisible(c.Script().RegisterAt(kRegA0) != 0);
}

void SetSpeakerVisible(CCommandContext& c) {
    if (CControllerDialogue* dialogue = Dialogue(c))
        dialogue->Frame().Speaker()->SetVisible(c.Script().RegisterAt(kRegA0) != 0);
}

// Without the hero controller in the chain (picture-novel mode) the frame's
// shown flag is set directly.
void ShowDialogueFrame(CCommandContext& c) {
    if (CControllerRPGNormal* hero = Hero(c))
        hero->SetState(CControllerRPGNormal::kDialogue);
    else if (CControllerDialogue* dialogue = Dialogue(c))
        dialogue->SetShown(true);
}

void HideDialogueFrame(CCommandContext& c) {
    if (CControllerRPGNormal* hero = Hero(c))
        hero->SetState(CControllerRPGNormal::kFree);
    else if (CControllerDialogue* dialogue = Dialogue(c))
        dialogue->SetShown(false);
}

// Lock and Unlock need the role-playing chain; elsewhere they do nothing.
void Lock(CCommandContext& c) {
    if (CControllerRPGNormal* hero = Hero(c)) hero->SetState(CControllerRPGNormal::kLocked);
}

void Unlock(CCommandContext& c) {
    if (CControllerRPGNormal* hero = Hero(c)) hero->SetState(CControllerRPGNormal::kFree);
}

constexpr CommandEntry kDialogueCommands[] = {
    {"SetDialogueContent", SetDialogueContent},
    {"SetDialogueSpeaker", SetDialogueSpeaker},
    {"LoadPortrait", LoadPortrait},
    {"SelectPortrait", SelectPortrait},
    {"SetPortraitVisible", SetPortraitVisible},
    {"SetSpeakerVisible", SetSpeakerVisible},
    {"ShowDialogueFrame", ShowDialogueFrame},
    {"HideDialogueFrame", HideDialogueFrame},
    {"Lock", Lock},
    {"Unlock", Unlock},
};

}  // namespace

std::span<const CommandEntry> DialogueCommands() {
    return kDialogueCommands;
}
