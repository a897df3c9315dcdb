#include "resources/SpriteManager.h"

#include "game/Game.h"
#include "resources/FontManager.h"
#include "resources/Settings.h"
#include "resources/Utils.h"
#include "simulation/BuildingKinds.h"

#include <cstdio>
#include <iterator>
#include <cstdlib>

bool SpriteManager::randomColorsActive = false;

namespace
{

struct Palette
{
    sf::Uint8 light[3];
    sf::Uint8 dark[3];
};

const Palette palettes[SpriteManager::paletteCount] = {
    {{232, 206, 168}, {70, 62, 108}},
    {{237, 221, 183}, {47, 93, 82}},
    {{255, 255, 255}, {0, 0, 0}},
    {{228, 217, 192}, {91, 72, 49}},
    {{231, 230, 224}, {81, 79, 79}},
    {{31, 34, 37}, {164, 92, 44}},
    {{32, 29, 35}, {157, 63, 76}},
    {{40, 36, 42}, {82, 144, 74}},
};

// The interface's own sprites; the buildings' and the actions' icons come
// from their kinds.
const char* const interfaceSprites[] = {
    "cursor", "tile_border", "tile_outline", "tile_highlighted", "tile_semi_filled", "hidden_tile_overlay",
    "road1", "road2", "road3", "road4", "road5", "road6", "road7", "road8", "road9", "road10", "road11",
    "road1_end1", "road1_end2", "road2_end1", "road2_end2", "isomap", "fire_animation", "trash_on_streets",
    "ui/help_button", "ui/help_button_small", "ui/help_button_tiny", "ui/corner", "ui/detailed_window_bordered",
    "ui/detailed_window_bordered_shadow", "ui/titlebar", "ui/action_price_bg", "ui/action_progress_bar",
    "ui/attraction_positive", "ui/attraction_neutral", "ui/attraction_negative", "ui/rent_increase",
    "ui/rent_decrease", "ui/production_next", "ui/production_prev", "ui/reset_price", "ui/build_progress_bg",
    "ui/plusone", "ui/budget_slot", "ui/population_slot", "ui/date_slot", "ui/date_button",
    "ui/date_button_disabled", "ui/cancel_action_button", "ui/action_progress_button", "ui/menu/title",
    "ui/menu/title_separator", "ui/menu/subtitle", "ui/menu/city", "ui/menu_button", "ui/side_build_button",
    "ui/side_ratings_button", "ui/side_population_button", "ui/side_needs_button", "ui/side_finances_button",
    "ui/side_city_button", "ui/side_production_button", "ui/needs_icons", "ui/action_next",
    "ui/action_next_disabled", "ui/action_previous", "ui/action_previous_disabled", "ui/rotate_left_button",
    "ui/rotate_right_button", "ui/expenditure_titles_underline", "ui/city_population_titles_underline",
    "ui/production_titles_underline", "ui/crime_icon", "ui/fire_hazard_icon", "ui/need_hospital_icon",
};

sf::Color randomColor()
{
    // Blue is drawn first, then green, then red.
    sf::Uint8 b = static_cast<sf::Uint8>(std::rand() % 255);
    sf::Uint8 g = static_cast<sf::Uint8>(std::rand() % 255);
    sf::Uint8 r = static_cast<sf::Uint8>(std::rand() % 255);
    return sf::Color(r, g, b, 255);
}

} // namespace

SpriteManager::SpriteManager(Game* owner) : game(owner)
{
    applyPalette(settingPalette());
}

SpriteManager::~SpriteManager()
{
    clear();
}

void SpriteManager::getPalette(int index, sf::Color& light, sf::Color& dark)
{
    if (index < 0 || index >= paletteCount)
    {
        light = sf::Color(0, 0, 0, 255);
        dark = sf::Color(0, 0, 0, 255);
        return;
    }
    const Palette& p = palettes[index];
    light = sf::Color(p.light[0], p.light[1], p.light[2], 255);
    dark = sf::Color(p.dark[0], p.dark[1], p.dark[2], 255);
}

void SpriteManager::recolor(sf::Image& image, const sf::Color& light, const sf::Color& dark)
{
    const sf::Color white(255, 255, 255, 255);
    const sf::Color black(0, 0, 0, 255);
    sf::Vector2u size = image.getSize();
    for (unsigned y = 0; y < size.y; ++y)
    {
        for (unsigned x = 0; x < size.x; ++x)
        {
            sf::Color pixel = image.getPixel(x, y);
            if (pixel == white)
                image.setPixel(x, y, light);
            else if (pixel == black)
                image.setPixel(x, y, dark);
        }
    }
}

void SpriteManager::applyPalette(int index)
{
    getPalette(index, game->lightColor, game->darkColor);
}

void SpriteManager::loadSprites()
{
    std::printf("Load sprites ... ");
    std::fflush(stdout);
    clear();
    for (const std::string& name : allSpriteNames())
        loadSprite(name);
    std::printf("done!\n");
}

std::vector<std::string> SpriteManager::allSpriteNames()
{
    std::vector<std::string> names(std::begin(interfaceSprites), std::end(interfaceSprites));
    for (const std::string& name : kindSpriteNames())
        names.push_back(name);
    return names;
}

sf::Sprite* SpriteManager::loadSprite(const std::string& name)
{
    sf::Image image = readImage(name);

    auto textureIt = textures.find(name);
    sf::Texture* texture = textureIt != textures.end() ? textureIt->second : new sf::Texture();
    textures[name] = texture;
    // An empty image leaves an empty texture: the sprite exists and draws nothing.
    if (image.getSize().x > 0 && image.getSize().y > 0)
        texture->loadFromImage(image);

    auto spriteIt = sprites.find(name);
    sf::Sprite* sprite = spriteIt != sprites.end() ? spriteIt->second : new sf::Sprite();
    sprites[name] = sprite;
    sprite->setTexture(*texture, true);
    return sprite;
}

sf::Sprite* SpriteManager::getSprite(const std::string& name)
{
    auto it = sprites.find(name);
    return it == sprites.end() ? nullptr : it->second;
}

void SpriteManager::randomizeColors()
{
    game->lightColor = randomColor();
    game->darkColor = randomColor();
    randomColorsActive = true;
}

void SpriteManager::reloadTextures()
{
    if (!randomColorsActive)
        applyPalette(settingPalette());
    randomColorsActive = false;

    for (auto& entry : textures)
    {
        sf::Image image = readImage(entry.first);
        sf::Vector2u size = image.getSize();
        if (size.x == 0 || size.y == 0)
            continue;
        sf::Texture* texture = entry.second;
        if (texture->getSize() == size)
        {
            texture->update(image);
            continue;
        }
        texture->loadFromImage(image);
        if (sf::Sprite* sprite = getSprite(entry.first))
            sprite->setTexture(*texture, true);
    }

    if (game->fonts)
        game->fonts->loadFonts();
}

sf::Image SpriteManager::readImage(const std::string& name) const
{
    // Both colours are taken once, before the file is read.
    sf::Color light = game->lightColor;
    sf::Color dark = game->darkColor;
    sf::Image image;
    std::string path = getBasePath() + "sprites/" + name + ".png";
    if (fileExists(path))
        image.loadFromFile(path);
    recolor(image, light, dark);
    return image;
}

void SpriteManager::clear()
{
    for (auto& entry : sprites)
        delete entry.second;
    for (auto& entry : textures)
        delete entry.second;
    sprites.clear();
    textures.clear();
}

int SpriteManager::settingPalette() const
{
    if (!game->settings)
        return 0;
    return std::atoi(game->settings->get("palette").c_str());
}
