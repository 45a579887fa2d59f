#include "controllers/ControllerDialogue.h"

#include "app/Game.h"
#include "display/Database.h"
#include "display/Layout.h"
#include "display/Sprite.h"
#include "ui/DialogueFrame.h"

CControllerDialogue::CControllerDialogue(CGame& game)
    : CController(game, kName), m_frame(std::make_unique<CDialogueFrame>(game.GetDisplayer())) {
    m_frame->SetRect({0, 520, kLayoutWidth, kLayoutHeight});  // the bottom 200 pixels
    m_frame->SetSprite(game.GetDatabase().LoadSprite(1001));
    m_shown = false;
}

CControllerDialogue::~CControllerDialogue() = default;

// Rendered after the chain below has drawn, so the frame lies over the world;
// its items go straight to the displayer and no camera offset applies to them.
void CControllerDialogue::Draw() {
    CController::Draw();
    if (m_shown) m_frame->Render(m_game.GetDisplayer());
}
