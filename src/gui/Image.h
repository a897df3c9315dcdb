#ifndef QUILLFENN_GUI_IMAGE_H
#define QUILLFENN_GUI_IMAGE_H

#include "gui/Widget.h"

namespace gui
{

// Draws a sprite (not owned), whole or a part of it, optionally centred in the box.
class Image : public Widget
{
public:
    Image(Game* game, int left, int top, int w, int h, sf::Sprite* picture);

    // Stores the sprite and takes its size.
    void setSprite(sf::Sprite* newSprite);

    // Draws the sprite, then the children; nothing at all without a sprite.
    void draw(sf::RenderTarget& target, float dt) override;

    // The base handling.
    bool handleEvent(const sf::Event& event, int& handled) override;

    sf::IntRect sourceRect;
    sf::Sprite* sprite = nullptr;
    bool centered = false;

    // Extra displacement of the sprite alone; buttons use it for their looks.
    sf::Vector2i spriteShift;
};

} // namespace gui

#endif
