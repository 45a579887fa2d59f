#pragma once
#include "controllers/Controller.h"

#include <cstdint>
#include <memory>

class CSprite;
class CEntity;
class CControllerDialogue;

// "ControllerRPGNormal": heads the role-playing chain. Draws the game's own
// pointer, walks the hero where the player clicks or holds the button, starts a
// character's script when the player clicks the character, and forwards clicks
// to the scripts while a dialogue is shown. Scripts switch its state.
class CControllerRPGNormal : public CController {
public:
    static constexpr std::string_view kName = "ControllerRPGNormal";
    enum State : uint8_t { kFree = 0, kDialogue = 1, kWalking = 2, kLocked = 3 };
    static constexpr float kWalkSpeed = 5.0f;
    static constexpr uint8_t kPointerFrameDuration = 20;

    explicit CControllerRPGNormal(CGame& game);
    ~CControllerRPGNormal() override;

    void Draw() override;
    void Update() override;
    void Submit(std::unique_ptr<RenderItem> item) override;
    void OnMouseMove(int32_t x, int32_t y) override;
    void OnMouseDown(const MouseButtons& buttons, int32_t x, int32_t y) override;
    void OnMouseUp(const MouseButtons& buttons, int32_t x, int32_t y) override;

    // 0 free (hides the dialogue frame), 1 dialogue (shows it; only with a
    // "Dialogue" link in the chain), 3 locked (only from free or walking).
    void SetState(uint8_t state);
    uint8_t GetState() const { return m_state; }
    float PointerX() const { return m_pointerX; }
    float PointerY() const { return m_pointerY; }
    const CSprite& PointerSprite() const { return *m_pointer; }

private:
    struct ScenePoint {
        int32_t x = 0;
        int32_t y = 0;
    };
    ScenePoint ToScene(int32_t x, int32_t y);
    CEntity* Hero() const;
    // The dialogue link below when its choice menu is open, else null.
    CControllerDialogue* Choosing() const;
    void WalkHeroTo(const ScenePoint& point);
    // The first character under the point, in drawing order, that has a script.
    CEntity* CharacterWithScriptAt(const ScenePoint& point) const;
    bool CharacterAt(const ScenePoint& point) const;

    std::unique_ptr<CSprite> m_pointer;
    float m_pointerX = 0;
    float m_pointerY = 0;
    uint8_t m_state = kFree;
};
