#include "gui/TitleBar.h"

#include "game/Game.h"
#include "gui/Shapes.h"
#include "resources/Font.h"
#include "resources/FontManager.h"
#include "resources/SpriteManager.h"

namespace gui
{

TitleBar::TitleBar(Game* game, int left, int top, int w) : Widget(game, left, top, w, barHeight)
{
    type = TypeTitleBar;
}

void TitleBar::setTitle(const std::string& newTitle, bool upperCase)
{
    title = upperCase ? Font::toUpper(newTitle) : newTitle;
}

void TitleBar::draw(sf::RenderTarget& target, float dt)
{
    if (!visible)
        return;
    sf::Vector2i position = getAbsolutePosition();
    sf::Sprite* caps = owner->sprites ? owner->sprites->getSprite("ui/titlebar") : nullptr;
    if (caps)
    {
        caps->setTextureRect(sf::IntRect(0, 0, 4, barHeight));
        caps->setPosition(static_cast<float>(position.x), static_cast<float>(position.y));
        target.draw(*caps);
        caps->setTextureRect(sf::IntRect(20, 0, 4, barHeight));
        caps->setPosition(static_cast<float>(position.x + width - 4), static_cast<float>(position.y));
        target.draw(*caps);
    }
    fillRect(target, sf::IntRect(position.x + 4, position.y, width - 8, barHeight), owner->darkColor);

    Font* titleFont = owner->fonts ? owner->fonts->getFont(font) : nullptr;
    if (titleFont && titleFont->sprite)
    {
        titleFont->sprite->setColor(owner->lightColor);
        titleFont->drawText(title, position.x + 6, position.y + 2, target);
        titleFont->sprite->setColor(titleFont->keepColours ? sf::Color::White : titleFont->color);
    }
    Widget::draw(target, dt);
}

} // namespace gui
