#pragma once
#include "controllers/Controller.h"

// "Camera": the last link of the role-playing chain. Keeps a scroll offset that
// holds the hero at the centre of the layout area wherever the scene allows,
// subtracts it from every item the scene submits, and lends it to the hero
// controller to turn pointer positions into scene positions.
class CControllerCamera : public CController {
public:
    static constexpr std::string_view kName = "Camera";

    explicit CControllerCamera(CGame& game) : CController(game, kName) {}

    // The scene moves first, then the offset follows the hero.
    void Update() override;
    void Draw() override;
    void Submit(std::unique_ptr<RenderItem> item) override;

    float OffsetX() const { return m_offsetX; }
    float OffsetY() const { return m_offsetY; }

private:
    float m_offsetX = 0;
    float m_offsetY = 0;
};
