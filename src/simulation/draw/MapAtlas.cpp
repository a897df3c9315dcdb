#include "simulation/draw/MapAtlas.h"

#include "resources/Font.h"
#include "resources/FontManager.h"
#include "resources/SpriteManager.h"
#include "simulation/BuildingKinds.h"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Sprite.hpp>

#include <algorithm>
#include <cstdio>

namespace
{
// The sprites the map and its layers are drawn with.
// The sprites the map draws besides the buildings' own.
const char* const overlaySprites[] = {
    "tile_border", "tile_outline", "tile_highlighted", "tile_semi_filled", "hidden_tile_overlay",
    "trash_on_streets", "road1", "road2", "road3", "road4", "road5", "road6", "road7", "road8", "road9",
    "road10", "road11", "road1_end1", "road1_end2", "road2_end1", "road2_end2", "fire_animation",
    "ui/attraction_positive", "ui/attraction_neutral", "ui/attraction_negative", "ui/needs_icons",
    "ui/crime_icon", "ui/fire_hazard_icon", "ui/need_hospital_icon",
};

// Every sprite of the atlas: the overlays, then each building kind's.
std::vector<std::string> atlasSprites()
{
    std::vector<std::string> names(std::begin(overlaySprites), std::end(overlaySprites));
    for (int k = 0; k < buildingKindCount; ++k)
        for (const std::string& name : spriteNames(buildingKinds[k]))
            names.push_back(name);
    return names;
}

// A patch is sampled in its middle pixel only, so no neighbour bleeds into it.
const unsigned patchSize = 3;

// Shelves are filled up to this width; the atlas grows downwards.
const unsigned shelfWidth = 512;

// A clear pixel between images keeps neighbours out of each other's edges.
const unsigned gap = 1;

struct Piece
{
    std::string name;
    sf::Image image;
    sf::Vector2u at;
};

bool tallerFirst(const Piece* a, const Piece* b)
{
    if (a->image.getSize().y != b->image.getSize().y)
        return a->image.getSize().y > b->image.getSize().y;
    return a->name < b->name;
}
} // namespace

bool MapAtlas::Source::operator==(const Source& other) const
{
    return light == other.light && dark == other.dark && sprites == other.sprites &&
           firstSprite == other.firstSprite && font == other.font && fontTexture == other.fontTexture;
}

bool MapAtlas::update(const MapDrawingSources& handed)
{
    sources = handed;
    if (!sources.sprites)
        return false;
    Source now = currentSource();
    if (!built || !(now == source))
    {
        source = now;
        build();
        built = true;
    }
    return texture.getSize().x > 0;
}

const sf::IntRect* MapAtlas::find(const std::string& name) const
{
    auto it = regions.find(name);
    return it == regions.end() ? nullptr : &it->second;
}

sf::Vector2i MapAtlas::fontOrigin() const
{
    return fontAt;
}

const Font* MapAtlas::labelFont() const
{
    return font;
}

MapAtlas::Source MapAtlas::currentSource() const
{
    Source now;
    now.light = sources.light;
    now.dark = sources.dark;
    now.sprites = sources.sprites;
    now.firstSprite = sources.sprites->getSprite(overlaySprites[0]);
    // The numbers font: dark figures with a light rim read over any building.
    const Font* labels = sources.fonts ? sources.fonts->getFont(FontNumbers) : nullptr;
    now.font = labels;
    now.fontTexture = labels ? labels->texture : nullptr;
    return now;
}

void MapAtlas::build()
{
    ++generation;
    regions.clear();
    font = nullptr;
    std::vector<Piece> pieces;
    for (const std::string& name : atlasSprites())
    {
        sf::Sprite* sprite = sources.sprites->getSprite(name);
        if (!sprite || !sprite->getTexture() || sprite->getTexture()->getSize().x == 0)
            continue;
        pieces.push_back({name, sprite->getTexture()->copyToImage(), sf::Vector2u()});
    }
    // Patches of the two colours, for the plates under the layer marks.
    for (int i = 0; i < 2; ++i)
    {
        sf::Image patch;
        patch.create(patchSize, patchSize, i == 0 ? sources.light : sources.dark);
        pieces.push_back({i == 0 ? lightPatchName : darkPatchName, patch, sf::Vector2u()});
    }
    const Font* labels = sources.fonts ? sources.fonts->getFont(FontNumbers) : nullptr;
    bool withFont = labels && labels->texture && labels->texture->getSize().x > 0;
    if (withFont)
        pieces.push_back({"", labels->texture->copyToImage(), sf::Vector2u()});

    // Shelf packing, tallest first: few shelves, little waste.
    std::vector<Piece*> order;
    for (Piece& piece : pieces)
        order.push_back(&piece);
    std::sort(order.begin(), order.end(), tallerFirst);
    unsigned width = shelfWidth;
    for (const Piece* piece : order)
        width = std::max(width, piece->image.getSize().x + gap);
    unsigned x = 0, y = 0, shelfHeight = 0;
    for (Piece* piece : order)
    {
        sf::Vector2u size = piece->image.getSize();
        if (x + size.x > width)
        {
            x = 0;
            y += shelfHeight + gap;
            shelfHeight = 0;
        }
        piece->at = sf::Vector2u(x, y);
        x += size.x + gap;
        shelfHeight = std::max(shelfHeight, size.y);
    }
    unsigned height = y + shelfHeight;
    if (pieces.empty() || height == 0)
    {
        texture = sf::Texture();
        return;
    }

    sf::Image sheet;
    sheet.create(width, height, sf::Color::Transparent);
    for (const Piece& piece : pieces)
    {
        sheet.copy(piece.image, piece.at.x, piece.at.y);
        sf::IntRect rect(piece.at.x, piece.at.y, piece.image.getSize().x, piece.image.getSize().y);
        if (piece.name.empty())
            fontAt = sf::Vector2i(rect.left, rect.top);
        else
            regions[piece.name] = rect;
    }
    if (withFont)
        font = labels;
    if (!texture.loadFromImage(sheet))
        std::printf("Map atlas of %ux%u could not be made\n", width, height);
}
