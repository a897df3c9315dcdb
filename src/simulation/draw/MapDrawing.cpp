#include "simulation/Map.h"

#include "game/Game.h"
#include "simulation/draw/MapRenderer.h"

#include <SFML/Graphics/View.hpp>

// The one place the map drawing meets the game: it hands the renderer the
// managers, the palette and the frame time.

void Map::draw(sf::RenderTarget& target)
{
    if (!renderer)
        renderer = std::make_shared<MapRenderer>(this);
    // A loaded map takes over the drawing of the one it replaced.
    renderer->map = this;
    renderer->advance(game ? game->deltaTime : 0.0f);

    MapDrawingSources sources;
    if (game)
        sources = {game->sprites, game->fonts, game->lightColor, game->darkColor};

    // Culling follows the view every frame: a shake moves it without telling anyone.
    // Picking rounds the view's corner the same way, so the tile under the
    // mouse is the tile drawn there even while a shake leaves it between pixels.
    sf::View view = target.getView();
    sf::FloatRect rect = visibleRect(view);
    markOnScreen(rect);
    renderer->draw(target, rect, sources);
    target.setView(view);
}
