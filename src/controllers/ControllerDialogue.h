#pragma once
#include "controllers/Controller.h"

#include <memory>

class CDialogueFrame;

// "Dialogue": owns the dialogue frame and draws it over the world below while it
// is shown. Heads the picture-novel chain, where its inherited mouse-down is what
// lets the player click through a conversation.
class CControllerDialogue : public CController {
public:
    static constexpr std::string_view kName = "Dialogue";

    explicit CControllerDialogue(CGame& game);
    ~CControllerDialogue() override;

    void Draw() override;
    CDialogueFrame& Frame() { return *m_frame; }

private:
    std::unique_ptr<CDialogueFrame> m_frame;
};
