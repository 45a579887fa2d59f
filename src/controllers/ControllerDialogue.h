#pragma once
#include "controllers/Controller.h"

#include <memory>

class CChoiceMenu;
class CDialogueFrame;

// "Dialogue": owns the dialogue frame and draws it over the world below while it
// is shown. Heads the picture-novel chain, where its inherited mouse-down is what
// lets the player click through a conversation. Also owns the choice menu,
// drawn over the frame; while the menu is open the pointer and the number keys
// go to it alone.
class CControllerDialogue : public CController {
public:
    static constexpr std::string_view kName = "Dialogue";

    explicit CControllerDialogue(CGame& game);
    ~CControllerDialogue() override;

    void Draw() override;
    void OnMouseMove(int32_t x, int32_t y) override;
    void OnMouseDown(const MouseButtons& buttons, int32_t x, int32_t y) override;
    // A number key (1-9) pressed since the last poll.
    void OnNumberKey(int number);
    CDialogueFrame& Frame() { return *m_frame; }
    CChoiceMenu& Choices() { return *m_choices; }
    bool IsChoosing() const;

private:
    std::unique_ptr<CDialogueFrame> m_frame;
    std::unique_ptr<CChoiceMenu> m_choices;
};
