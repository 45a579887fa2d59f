#pragma once
#include "app/HandleRegistry.h"
#include "display/Sprite.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class CGame;
class CScript;
class CModeRPGNormal;

// A character or prop of the role-playing scene: a position on the ground, an
// animated sprite drawn so that its centre point lies on that position, a hit
// box, a depth for drawing order, a name scripts find it by, an optional script
// (run when the player clicks it) and a straight-line walk at constant speed
// that obeys the walk grid and fires traps. Owned by the scene; owns its sprite
// and its script.
class CEntity {
public:
    static constexpr HandleKind kHandleKind = HandleKind::Entity;
    static constexpr size_t kMaxNameBytes = 22;
    enum Role : uint8_t { kNone = 0, kHero = 1, kNpc = 2 };

    explicit CEntity(CGame& game);
    CEntity(CGame&&) = delete;
    CEntity(const CEntity&) = delete;
    CEntity& operator=(const CEntity&) = delete;
    virtual ~CEntity();

    // Takes the sprite; the centre becomes the middle of its quad and the hit box
    // its own (a sprite without one gives a box that no point hits).
    void SetSprite(std::unique_ptr<CSprite> sprite);
    CSprite* GetSprite() const { return m_sprite.get(); }
    void SetName(std::string_view name);  // cut to 22 bytes
    const std::string& GetName() const { return m_name; }
    void SetPosition(float x, float y);
    void SetCenter(int32_t x, int32_t y);
    void SetRole(uint8_t role) { m_role = role; }
    uint8_t GetRole() const { return m_role; }
    // Re-sorts the scene the entity stands in.
    void SetDepth(int32_t depth);
    int32_t GetDepth() const { return m_depth; }
    // Takes the script; the one held before is destroyed (and leaves the
    // manager's lists), even when it is the script giving the command.
    void SetScript(std::unique_ptr<CScript> script);
    CScript* GetScript() const { return m_script.get(); }
    void SetScene(CModeRPGNormal* scene) { m_scene = scene; }

    void MoveTo(int32_t x, int32_t y, float speed);
    void Update();
    void Stop();
    double SpeedSquared() const;
    bool HitTest(int32_t x, int32_t y) const;
    bool IsMoving() const { return m_velocityX != 0 || m_velocityY != 0; }

    // A quad item showing the sprite's current image at the entity's place.
    RenderItem MakeItem() const;

    uint32_t Handle() const { return m_handle; }
    float X() const { return m_x; }
    float Y() const { return m_y; }
    float CenterX() const { return m_centerX; }
    float CenterY() const { return m_centerY; }
    int32_t TargetX() const { return m_targetX; }
    int32_t TargetY() const { return m_targetY; }
    float VelocityX() const { return m_velocityX; }
    float VelocityY() const { return m_velocityY; }
    const HitBox& GetHitBox() const { return m_hitBox; }

private:
    static uint8_t WalkAnimation(float velocityX, float velocityY);

    CGame& m_game;
    uint32_t m_handle = 0;
    CModeRPGNormal* m_scene = nullptr;  // the scene that owns this entity
    float m_x = 0;
    float m_y = 0;
    float m_centerX = 0;
    float m_centerY = 0;
    uint8_t m_role = kNone;
    std::string m_name;
    std::unique_ptr<CScript> m_script;
    std::unique_ptr<CSprite> m_sprite;
    int32_t m_depth = 0;
    int32_t m_targetX = 0;
    int32_t m_targetY = 0;
    float m_velocityX = 0;
    float m_velocityY = 0;
    HitBox m_hitBox;
};
