#include "controllers/ControllerDialogue.h"

#include "app/Game.h"
#include "choices/ChoiceMenu.h"
#include "display/Database.h"
#include "display/Layout.h"
#include "display/Sprite.h"
#include "ui/DialogueFrame.h"

CControllerDialogue::CControllerDialogue(CGame& game)
    : CController(game, kName),
      m_frame(std::make_unique<CDialogueFrame>(game.GetDisplayer())),
      m_choices(std::make_unique<CChoiceMenu>(game.GetDisplayer(), game.Platform())) {
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
    m_choices->Render(m_game.GetDisplayer());
}

bool CControllerDialogue::IsChoosing() const {
    return m_choices->IsOpen();
}

void CControllerDialogue::OnMouseMove(int32_t x, int32_t y) {
    m_choices->Hover(x, y);
}

// While the player chooses, a click elsewhere than on an option does nothing:
// it neither picks nor turns a page of the conversation behind the menu.
void CControllerDialogue::OnMouseDown(const MouseButtons& buttons, int32_t x, int32_t y) {
    if (m_choices->IsOpen())
        m_choices->Click(x, y);
    else
        CController::OnMouseDown(buttons, x, y);
}

void CControllerDialogue::OnNumberKey(int number) {
    m_choices->PressNumber(number);
}
