#ifndef QUILLFENN_SIMULATION_DRAW_MAPRENDERER_H
#define QUILLFENN_SIMULATION_DRAW_MAPRENDERER_H

#include "simulation/draw/MapAtlas.h"

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/Vertex.hpp>

#include <string>
#include <vector>

class Map;
class Tile;

// Draws a map: every revealed, on-screen tile back to front, the unrevealed
// edge, fires, trash, the range highlight, the blinking selection and the
// marks of the information layer. A frame is collected into one vertex list
// over one atlas texture and drawn with one call. It reads the map and what
// it is handed; the game itself it does not know.
class MapRenderer
{
public:
    explicit MapRenderer(Map* map);

    // Frees the canvas.
    ~MapRenderer();

    MapRenderer(const MapRenderer&) = delete;
    MapRenderer& operator=(const MapRenderer&) = delete;

    // Advances the fire and blink timers by a frame time.
    void advance(float seconds);

    // Draws the map's on-screen tiles inside a world rectangle over the whole
    // target, with the sprites, fonts and colours it is handed.
    void draw(sf::RenderTarget& target, const sf::FloatRect& view, const MapDrawingSources& sources);

    Map* map;
    MapAtlas atlas;
    std::vector<sf::Vertex> vertices;

    // Draw calls the last frame made.
    int drawCalls = 0;

    // The map at one texel per world pixel, when the target shows each of them as a block of pixels.
    sf::RenderTexture* canvas = nullptr;

private:
    // The atlas places of the sprites, looked up once per atlas.
    struct Sprites
    {
        const sf::IntRect* border = nullptr;
        const sf::IntRect* outline = nullptr;
        const sf::IntRect* highlighted = nullptr;
        const sf::IntRect* semiFilled = nullptr;
        const sf::IntRect* hidden = nullptr;
        const sf::IntRect* trash = nullptr;
        const sf::IntRect* fire = nullptr;
        const sf::IntRect* roads[16] = {};
        // By building kind (the index into buildingKinds), one per variant.
        std::vector<std::vector<const sf::IntRect*>> kinds;
        const sf::IntRect* attraction[3] = {};
        const sf::IntRect* needs = nullptr;
        const sf::IntRect* warnings[3] = {};
        const sf::IntRect* lightPatch = nullptr;
        const sf::IntRect* darkPatch = nullptr;
    };

    // Fills the vertex list with the tiles of this frame; false when there is nothing to draw with.
    bool collect();

    // Draws the vertex list onto the canvas at one texel per world pixel and the canvas over the target.
    bool drawThroughCanvas(sf::RenderTarget& target, const sf::FloatRect& view);

    // Looks up every sprite in the current atlas.
    void resolveSprites();

    // One revealed tile: ground, building, highlight, trash, fire and selection.
    void addTile(Tile& tile);

    // One unrevealed tile: the veil when it borders the revealed area.
    void addEdge(const Tile& tile);

    // The information layer's marks over one tile.
    void addMarks(const Tile& tile);

    // Population layer: residents of capacity, customers or workers.
    void addPopulationLabel(const Tile& tile, float centerX, float middleY);

    // Needs layer: the unmet needs over the risks.
    void addNeedIcons(const Tile& tile, float centerX, float middleY);

    // A sprite standing on the tile box whose top-left corner is (x, y).
    void addTileSprite(const sf::IntRect* rect, float x, float y, bool mirrored = false);

    // A rectangle of the atlas drawn at (x, y), optionally mirrored left to right.
    void addQuad(const sf::IntRect& rect, float x, float y, bool mirrored = false);

    // Texture corners mapped onto a screen rectangle.
    void addQuad(float left, float top, float right, float bottom, float x, float y, float w, float h);

    // A light plate with a dark rim just outside the rectangle.
    void addPlate(float x, float y, float w, float h);

    // A rectangle filled with a colour patch of the atlas.
    void addFill(const sf::IntRect& patch, float x, float y, float w, float h);

    // One or two centred rows of icons on a plate.
    void addIconBadge(const std::vector<sf::IntRect>& top, const std::vector<sf::IntRect>& bottom, float centerX,
                      float middleY);

    // A text in the label font on a plate, centred on a point.
    void addLabel(const std::string& text, float centerX, float middleY);

    // The building sprite of a tile, or null for ground without one.
    const sf::IntRect* buildingSprite(const Tile& tile) const;

    // True when the tile should show its trash.
    bool showsTrash(const Tile& tile, double trash) const;

    // True while the selected tile is in the shown half of its blink.
    bool blinkShown() const;

    Sprites sprites;
    MapDrawingSources handed;
    int atlasGeneration = -1;
    double frameTrash = 0.0;
};

#endif
