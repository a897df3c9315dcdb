#include "simulation/draw/MapRenderer.h"

#include "resources/Font.h"
#include "resources/FontDefinition.h"
#include "resources/SpriteLayout.h"
#include "simulation/BuildingKinds.h"
#include "simulation/Factory.h"
#include "simulation/House.h"
#include "simulation/Map.h"
#include "simulation/Shop.h"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/View.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace
{
// Every tile sprite is this wide; its bottom rows are the tile's box.
const int boxWidth = 34;
const int boxHeight = 17;

const float fireFrameSeconds = 0.1f;

// The selected tile is hidden for half of each period, so it flashes.
const float blinkPeriod = 1.0f;

// Street trash starts to show where the city warns about it, one road in
// four more for every further thousand.
const double trashFirstShown = 1000.0;
const double trashPerStep = 1000.0;
const int trashSteps = 4;

// Attraction levels at or below this read as negative, at or above the next as positive.
const int worstNeutralLevel = 1;
const int bestNeutralLevel = 4;

// The layer marks are centred this far below the top of the tile's box.
const float markMiddle = 4.0f;

const int layerBuild = 0;
const int layerPopulation = 1;
const int layerAttraction = 2;
const int layerNeeds = 3;

// A tile id spread over the bits, so neighbouring ids pick unrelated variants.
unsigned scatter(unsigned id)
{
    id ^= id >> 7;
    id *= 2654435761u;
    return id >> 13;
}

bool isRoad(const Tile* tile)
{
    return tile && tile->type == TileRoad;
}

bool isRevealed(const Tile* tile)
{
    return tile && (tile->flags & TileRevealed);
}

// Types the "Hide buildings" switch lays flat: whatever stands up and hides
// the tiles behind it, trees included (they cover a new city's first roads).
bool isBuilding(int type)
{
    return type != TileEmpty && type != TileRoad && type != TileRubble;
}

// Doors face west as drawn; a road to the south (1) or north (2) turns the sprite over.
bool mirroredFor(int facing)
{
    return facing == 1 || facing == 2;
}
} // namespace

MapRenderer::MapRenderer(Map* shown) : map(shown)
{
}

MapRenderer::~MapRenderer()
{
    delete canvas;
}

void MapRenderer::advance(float seconds)
{
    map->fireTimer += seconds;
    while (map->fireTimer >= fireFrameSeconds)
    {
        map->fireTimer -= fireFrameSeconds;
        map->fireFrame = (map->fireFrame + 1) % fireFrameCount;
    }
    if (map->selectedTileId != -1)
    {
        float timer = map->blinkTimer.load() - seconds;
        while (timer <= 0.0f)
            timer += blinkPeriod;
        map->blinkTimer = timer;
    }
}

void MapRenderer::draw(sf::RenderTarget& target, const sf::FloatRect& view, const MapDrawingSources& sources)
{
    handed = sources;
    drawCalls = 0;
    if (!collect() || vertices.empty())
        return;
    if (drawThroughCanvas(target, view))
        return;
    sf::RenderStates states;
    states.texture = &atlas.texture;
    target.setView(sf::View(view));
    target.draw(vertices.data(), vertices.size(), sf::Quads, states);
    ++drawCalls;
}

bool MapRenderer::collect()
{
    vertices.clear();
    map->overlayTiles.clear();
    if (!atlas.update(handed))
        return false;
    if (atlas.generation != atlasGeneration)
        resolveSprites();
    frameTrash = map->getStreetTrash();

    // Back to front: rows of equal y - x, the furthest up the screen first.
    int w = map->width;
    int h = map->height;
    for (int d = -(w - 1); d <= h - 1; ++d)
    {
        int x0 = d < 0 ? -d : 0;
        for (int x = x0; x < w && x + d < h; ++x)
        {
            Tile& tile = map->tiles[x + (x + d) * w];
            unsigned char flags = tile.flags;
            if (flags & TileOffScreen)
                continue;
            if (flags & TileRevealed)
                addTile(tile);
            else
                addEdge(tile);
        }
    }
    for (const Tile* tile : map->overlayTiles)
        addMarks(*tile);
    return true;
}

bool MapRenderer::drawThroughCanvas(sf::RenderTarget& target, const sf::FloatRect& view)
{
    // Scaled up, every world pixel covers a block of target pixels: drawing
    // the overlapping sprites at one texel each and scaling the finished
    // picture once costs the software renderer a fraction of the fill.
    sf::Vector2u size = target.getSize();
    unsigned width = static_cast<unsigned>(view.width);
    unsigned height = static_cast<unsigned>(view.height);
    if (width == 0 || height == 0 || size.x < 2 * width || size.y < 2 * height)
        return false;
    if (!canvas || canvas->getSize() != sf::Vector2u(width, height))
    {
        delete canvas;
        canvas = new sf::RenderTexture();
        if (!canvas->create(width, height))
        {
            delete canvas;
            canvas = nullptr;
        }
    }
    if (!canvas)
        return false;
    sf::RenderStates states;
    states.texture = &atlas.texture;
    canvas->setView(sf::View(view));
    canvas->clear(sf::Color::Transparent);
    canvas->draw(vertices.data(), vertices.size(), sf::Quads, states);
    canvas->display();
    // The canvas holds colours already weighted by their alpha.
    target.setView(sf::View(sf::FloatRect(0.0f, 0.0f, static_cast<float>(width), static_cast<float>(height))));
    target.draw(sf::Sprite(canvas->getTexture()),
                sf::RenderStates(sf::BlendMode(sf::BlendMode::One, sf::BlendMode::OneMinusSrcAlpha)));
    drawCalls += 2;
    return true;
}

void MapRenderer::resolveSprites()
{
    atlasGeneration = atlas.generation;
    Sprites& s = sprites;
    s.border = atlas.find("tile_border");
    s.outline = atlas.find("tile_outline");
    s.highlighted = atlas.find("tile_highlighted");
    s.semiFilled = atlas.find("tile_semi_filled");
    s.hidden = atlas.find("hidden_tile_overlay");
    s.trash = atlas.find("trash_on_streets");
    s.fire = atlas.find("fire_animation");
    for (int bits = 0; bits < 16; ++bits)
        s.roads[bits] = atlas.find(roadSpriteName(bits & 1, bits & 2, bits & 4, bits & 8));
    s.kinds.assign(buildingKindCount, {});
    for (int k = 0; k < buildingKindCount; ++k)
        for (const std::string& name : spriteNames(buildingKinds[k]))
            s.kinds[k].push_back(atlas.find(name));
    s.attraction[0] = atlas.find("ui/attraction_negative");
    s.attraction[1] = atlas.find("ui/attraction_neutral");
    s.attraction[2] = atlas.find("ui/attraction_positive");
    s.needs = atlas.find("ui/needs_icons");
    s.warnings[0] = atlas.find("ui/crime_icon");
    s.warnings[1] = atlas.find("ui/fire_hazard_icon");
    s.warnings[2] = atlas.find("ui/need_hospital_icon");
    s.lightPatch = atlas.find(MapAtlas::lightPatchName);
    s.darkPatch = atlas.find(MapAtlas::darkPatchName);
}

void MapRenderer::addTile(Tile& tile)
{
    float x = 16.0f * (tile.x + tile.y);
    float y = 8.0f * (tile.y - tile.x);
    int type = tile.type;
    bool selected = map->selectedTileId != -1 && static_cast<int>(tile.id) == map->selectedTileId;
    bool flashing = selected && blinkShown();
    bool highlighted = (tile.flags & TileHighlighted) != 0;

    if (type == TileRoad)
    {
        int bits = (isRoad(tile.north()) ? 1 : 0) | (isRoad(tile.south()) ? 2 : 0) |
                   (isRoad(tile.west()) ? 4 : 0) | (isRoad(tile.east()) ? 8 : 0);
        addTileSprite(sprites.roads[bits], x, y);
        if (highlighted)
            addTileSprite(sprites.highlighted, x, y);
        if (showsTrash(tile, frameTrash))
            addTileSprite(sprites.trash, x, y);
    }
    else
    {
        addTileSprite(sprites.border, x, y);
        if (highlighted)
            addTileSprite(sprites.highlighted, x, y);
        bool hidden = flashing || (!map->showBuildings && isBuilding(type));
        if (hidden && isBuilding(type))
            addTileSprite(sprites.semiFilled, x, y);
        else if (!hidden)
            addTileSprite(buildingSprite(tile), x, y, tile.building && mirroredFor(tile.facing));
    }
    if (flashing)
        addTileSprite(sprites.outline, x, y);

    if ((tile.flags & TileBurning) && sprites.fire)
    {
        sf::IntRect frame(sprites.fire->left + map->fireFrame * fireFrameWidth, sprites.fire->top, fireFrameWidth,
                          sprites.fire->height);
        addTileSprite(&frame, x, y);
    }
    if (map->infoLayer != layerBuild && tile.building)
        map->overlayTiles.push_back(&tile);
}

void MapRenderer::addEdge(const Tile& tile)
{
    const Tile* around[8] = {tile.north(),     tile.south(),     tile.west(),      tile.east(),
                             tile.northWest(), tile.southWest(), tile.northEast(), tile.southEast()};
    for (const Tile* other : around)
    {
        if (isRevealed(other))
        {
            addTileSprite(sprites.hidden, 16.0f * (tile.x + tile.y), 8.0f * (tile.y - tile.x));
            return;
        }
    }
}

void MapRenderer::addMarks(const Tile& tile)
{
    float centerX = 16.0f * (tile.x + tile.y) + boxWidth / 2.0f;
    float middleY = 8.0f * (tile.y - tile.x) + markMiddle;
    switch (map->infoLayer)
    {
    case layerPopulation:
        addPopulationLabel(tile, centerX, middleY);
        break;
    case layerAttraction:
        if (const House* house = dynamic_cast<const House*>(tile.building))
        {
            int level = attractionLevel(house->shownAttractiveness.load());
            int mood = level <= worstNeutralLevel ? 0 : level > bestNeutralLevel ? 2 : 1;
            if (sprites.attraction[mood])
                addIconBadge({*sprites.attraction[mood]}, {}, centerX, middleY);
        }
        break;
    case layerNeeds:
        addNeedIcons(tile, centerX, middleY);
        break;
    default:
        break;
    }
}

void MapRenderer::addPopulationLabel(const Tile& tile, float centerX, float middleY)
{
    char text[32];
    text[0] = '\0';
    if (const House* house = dynamic_cast<const House*>(tile.building))
    {
        if (map->showHouseLabels)
            std::snprintf(text, sizeof text, "%d/%d", house->residents.load(), house->capacity);
    }
    else if (const Shop* shop = dynamic_cast<const Shop*>(tile.building))
    {
        if (map->showShopLabels)
            std::snprintf(text, sizeof text, "%d", shop->customers.load());
    }
    else if (const Factory* workplace = dynamic_cast<const Factory*>(tile.building))
    {
        if (map->showWorkplaceLabels)
            std::snprintf(text, sizeof text, "%d", workplace->workers.load());
    }
    if (text[0])
        addLabel(text, centerX, middleY);
}

void MapRenderer::addNeedIcons(const Tile& tile, float centerX, float middleY)
{
    const House* house = dynamic_cast<const House*>(tile.building);
    if (!house)
        return;
    std::vector<sf::IntRect> needs;
    int unmet = house->shownNeeds.load();
    for (int k = 0; k < 3 && sprites.needs; ++k)
        if (unmet & (1 << k))
            needs.push_back(sf::IntRect(sprites.needs->left + k * needsIconSize, sprites.needs->top, needsIconSize,
                                        needsIconSize));
    std::vector<sf::IntRect> risks;
    int warned = house->shownWarnings.load();
    for (int k = 0; k < 3; ++k)
        if ((warned & (1 << k)) && sprites.warnings[k])
            risks.push_back(*sprites.warnings[k]);
    if (needs.empty())
        needs.swap(risks);
    if (!needs.empty())
        addIconBadge(needs, risks, centerX, middleY);
}

void MapRenderer::addTileSprite(const sf::IntRect* rect, float x, float y, bool mirrored)
{
    if (rect)
        addQuad(*rect, x, y + boxHeight - rect->height, mirrored);
}

void MapRenderer::addQuad(const sf::IntRect& rect, float x, float y, bool mirrored)
{
    float left = static_cast<float>(rect.left);
    float right = static_cast<float>(rect.left + rect.width);
    float top = static_cast<float>(rect.top);
    float bottom = static_cast<float>(rect.top + rect.height);
    if (mirrored)
        std::swap(left, right);
    addQuad(left, top, right, bottom, x, y, static_cast<float>(rect.width), static_cast<float>(rect.height));
}

void MapRenderer::addQuad(float left, float top, float right, float bottom, float x, float y, float w, float h)
{
    vertices.push_back(sf::Vertex(sf::Vector2f(x, y), sf::Vector2f(left, top)));
    vertices.push_back(sf::Vertex(sf::Vector2f(x + w, y), sf::Vector2f(right, top)));
    vertices.push_back(sf::Vertex(sf::Vector2f(x + w, y + h), sf::Vector2f(right, bottom)));
    vertices.push_back(sf::Vertex(sf::Vector2f(x, y + h), sf::Vector2f(left, bottom)));
}

void MapRenderer::addPlate(float x, float y, float w, float h)
{
    if (!sprites.lightPatch || !sprites.darkPatch)
        return;
    addFill(*sprites.darkPatch, x - 1, y - 1, w + 2, h + 2);
    addFill(*sprites.lightPatch, x, y, w, h);
}

void MapRenderer::addFill(const sf::IntRect& patch, float x, float y, float w, float h)
{
    // The patch's middle pixel stretched over the rectangle.
    float u = static_cast<float>(patch.left + 1);
    float v = static_cast<float>(patch.top + 1);
    addQuad(u, v, u + 1, v + 1, x, y, w, h);
}

void MapRenderer::addIconBadge(const std::vector<sf::IntRect>& top, const std::vector<sf::IntRect>& bottom,
                               float centerX, float middleY)
{
    auto rowWidth = [](const std::vector<sf::IntRect>& icons) {
        int width = -1;
        for (const sf::IntRect& icon : icons)
            width += icon.width + 1;
        return width;
    };
    int topWidth = rowWidth(top);
    int bottomWidth = bottom.empty() ? 0 : rowWidth(bottom);
    int width = std::max(topWidth, bottomWidth);
    int height = bottom.empty() ? needsIconSize : 2 * needsIconSize + 1;
    float left = std::floor(centerX - width / 2.0f);
    float y = std::floor(middleY - height / 2.0f);
    addPlate(left - 1, y - 1, width + 2.0f, height + 2.0f);
    for (const std::vector<sf::IntRect>* row : {&top, &bottom})
    {
        float x = std::floor(centerX - rowWidth(*row) / 2.0f);
        for (const sf::IntRect& icon : *row)
        {
            addQuad(icon, x, y);
            x += icon.width + 1;
        }
        y += needsIconSize + 1;
    }
}

void MapRenderer::addLabel(const std::string& text, float centerX, float middleY)
{
    const Font* font = atlas.labelFont();
    if (!font)
        return;
    sf::Vector2i origin = atlas.fontOrigin();
    std::vector<const GlyphRef*> glyphs;
    for (char c : text)
        if (const GlyphRef* glyph = font->getGlyph(static_cast<unsigned char>(c)))
            glyphs.push_back(glyph);
    if (glyphs.empty())
        return;
    int width = 0;
    int height = 0;
    for (const GlyphRef* glyph : glyphs)
    {
        const FontSet* set = font->definition->sets[glyph->set];
        const sf::IntRect& rect = font->glyphRects[glyph->set][glyph->glyph];
        width += rect.width + set->letterSpacing;
        height = std::max(height, rect.height + set->rowOffset);
    }
    width -= font->definition->sets[glyphs.back()->set]->letterSpacing;
    float pen = std::floor(centerX - width / 2.0f);
    float top = std::floor(middleY - height / 2.0f);
    addPlate(pen, top, static_cast<float>(width), static_cast<float>(height));
    for (const GlyphRef* glyph : glyphs)
    {
        const FontSet* set = font->definition->sets[glyph->set];
        sf::IntRect rect = font->glyphRects[glyph->set][glyph->glyph];
        rect.left += origin.x;
        rect.top += origin.y;
        addQuad(rect, pen, top + set->rowOffset);
        pen += rect.width + set->letterSpacing;
    }
}

const sf::IntRect* MapRenderer::buildingSprite(const Tile& tile) const
{
    // A record of a level no kind has is drawn as the nearest level.
    int level = 1;
    if (tile.type == TileHouse || tile.type == TileShop)
    {
        if (const House* house = dynamic_cast<const House*>(tile.building))
            level = house->level;
        else if (const Shop* shop = dynamic_cast<const Shop*>(tile.building))
            level = shop->level;
        level = std::max(1, std::min(3, level));
    }
    const BuildingKind* kind = buildingKind(tile.type, level);
    if (!kind)
        return nullptr;
    const std::vector<const sf::IntRect*>& variants = sprites.kinds[kind - buildingKinds];
    if (variants.empty())
        return nullptr;
    return variants[scatter(tile.id) % variants.size()];
}

bool MapRenderer::showsTrash(const Tile& tile, double trash) const
{
    if (trash < trashFirstShown)
        return false;
    // Counted in doubles: the trash of a damaged save has no bound an int could hold.
    double shown = 1.0 + std::floor((trash - trashFirstShown) / trashPerStep);
    return static_cast<double>(scatter(tile.id * 31u + 7u) % trashSteps) < shown;
}

bool MapRenderer::blinkShown() const
{
    return map->blinkTimer.load() <= blinkPeriod / 2.0f;
}
