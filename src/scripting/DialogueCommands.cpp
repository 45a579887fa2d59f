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
#include "story/Story.h"
#include "ui/DialogueFrame.h"
#include "ui/TextWidget.h"

#include <string>

namespace {

// Two ideographic spaces before a text, a full-width colon after a speaker's
// name: in the story's own encoding, like the text they go with.
std::string_view Indent(TextEncoding encoding) {
    return encoding == TextEncoding::Utf8 ? "\xE3\x80\x80\xE3\x80\x80" : "\xA1\xA1\xA1\xA1";
}
std::string_view Colon(TextEncoding encoding) {
    return encoding == TextEncoding::Utf8 ? "\xEF\xBC\x9A" : "\xA3\xBA";
}

// The dialogue controller heads one chain and stands in the other: it is
// always found. The hero controller is found in the role-playing chain only.
CControllerDialogue* Dialogue(CCommandContext& c) {
    return c.Game().Dialogue();
}

CControllerRPGNormal* Hero(CCommandContext& c) {
    return c.Game().HeroController();
}

bool IsSlot(uint32_t slot) {
    return slot < CDialogueFrame::kPortraitSlots;
}

// The widget keeps at most 199 bytes: a longer text is cut at a character.
void SetDialogueContent(CCommandContext& c) {
    const TextEncoding encoding = c.Game().Story().Encoding();
    const std::string text = std::string(Indent(encoding)) + c.NextText();
    if (CControllerDialogue* dialogue = Dialogue(c))
        dialogue->Frame().Content()->SetText(text, encoding);
}

// The colon follows whole characters: a lead byte left at the end of the
// name would take the colon's first byte as its own and garble both.
void SetDialogueSpeaker(CCommandContext& c) {
    const TextEncoding encoding = c.Game().Story().Encoding();
    // A cut UTF-8 sequence becomes U+FFFD on its own and leaves the colon whole.
    std::string_view name = c.NextText();
    if (encoding == TextEncoding::Gb2312) name = CTextCodec::WholeCharacters(name);
    const std::string text = std::string(name) + std::string(Colon(encoding));
    if (CControllerDialogue* dialogue = Dialogue(c))
        dialogue->Frame().Speaker()->SetText(text, encoding);
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
    {"SetDialogueContent", SetDialogueContent, {"t"}},
    {"SetDialogueSpeaker", SetDialogueSpeaker, {"k"}},
    {"LoadPortrait", LoadPortrait, {"", "-p"}},
    {"SelectPortrait", SelectPortrait, {""}},
    {"SetPortraitVisible", SetPortraitVisible, {""}},
    {"SetSpeakerVisible", SetSpeakerVisible, {""}},
    {"ShowDialogueFrame", ShowDialogueFrame, {""}},
    {"HideDialogueFrame", HideDialogueFrame, {""}},
    {"Lock", Lock, {"", "", CommandMode::Scene}},
    {"Unlock", Unlock, {"", "", CommandMode::Scene}},
};

}  // namespace

std::span<const CommandEntry> DialogueCommands() {
    return kDialogueCommands;
}
