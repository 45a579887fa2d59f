#pragma once
#include "world/Mode.h"

#include <memory>
#include <string_view>
#include <vector>

class CSprite;

// The picture-novel mode ("GalNormal"): free sprites placed on the screen and
// drawn in the order they were added, the last on top. Owns its sprites.
class CModeGalNormal : public CMode {
public:
    static constexpr std::string_view kName = "GalNormal";

    explicit CModeGalNormal(CGame& game);
    ~CModeGalNormal() override;

    void AddSprite(std::unique_ptr<CSprite> sprite);
    // The first sprite of that name, or null. The name is cut as AddSprite's
    // names are, so a story may look a sprite up by the long name it gave it.
    CSprite* GetSprite(std::string_view name) const;
    // Removes and destroys the sprite, writing "Sprite Deleted"; a sprite that is
    // not in the list is left alone, silently.
    void DeleteSprite(const CSprite* sprite);
    size_t SpriteCount() const { return m_sprites.size(); }

    void Clean() override;
    // Free sprites do not animate: each shows the current image of its animation.
    void Update() override {}
    void Draw() override;

private:
    std::vector<std::unique_ptr<CSprite>> m_sprites;
};
