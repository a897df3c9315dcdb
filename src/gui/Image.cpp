#include "gui/Image.h"

namespace gui
{

Image::Image(Game* game, int left, int top, int w, int h, sf::Sprite* picture)
    : Widget(game, left, top, w, h), sprite(picture)
{
    type = TypeImage;
}

void Image::setSprite(sf::Sprite* newSprite)
{
    sprite = newSprite;
    if (!sprite)
        return;
    sf::FloatRect bounds = sprite->getLocalBounds();
    width = static_cast<int>(bounds.width);
    height = static_cast<int>(bounds.height);
}

void Image::draw(sf::RenderTarget& target, float dt)
{
    if (!visible || !sprite)
        return;
    sf::IntRect rect = sourceRect;
    if (rect.width == 0)
    {
        // The whole texture: the shared sprite may still carry another image's part.
        sf::Vector2u size = sprite->getTexture() ? sprite->getTexture()->getSize() : sf::Vector2u();
        rect = sf::IntRect(0, 0, static_cast<int>(size.x), static_cast<int>(size.y));
    }
    sprite->setTextureRect(rect);

    sf::Vector2i position = getAbsolutePosition() + spriteShift;
    sf::Vector2f place(static_cast<float>(position.x), static_cast<float>(position.y));
    if (centered)
    {
        place += sprite->getOrigin();
        place.x += static_cast<float>((width - rect.width) / 2);
        place.y += static_cast<float>((height - rect.height) / 2);
    }
    sprite->setPosition(place);
    target.draw(*sprite);
    Widget::draw(target, dt);
}

bool Image::handleEvent(const sf::Event& event, int& handled)
{
    return Widget::handleEvent(event, handled);
}

} // namespace gui
