#ifndef QUILLFENN_RESOURCES_SPRITEMANAGER_H
#define QUILLFENN_RESOURCES_SPRITEMANAGER_H

#include <SFML/Graphics.hpp>

#include <map>
#include <string>
#include <vector>

class Game;

// Loads every sprite of the game once and recolours it to the current
// two-colour palette: opaque white becomes the light colour, opaque black
// the dark colour. Owns the sprites and their textures.
class SpriteManager
{
public:
    explicit SpriteManager(Game* owner);
    ~SpriteManager();
    SpriteManager(const SpriteManager&) = delete;
    SpriteManager& operator=(const SpriteManager&) = delete;

    // Number of entries in the palette table.
    static constexpr int paletteCount = 8;

    // The two colours of a palette; any index outside the table gives opaque black twice.
    static void getPalette(int index, sf::Color& light, sf::Color& dark);

    // Replaces opaque white by light and opaque black by dark; every other pixel stays.
    static void recolor(sf::Image& image, const sf::Color& light, const sf::Color& dark);

    // Sets the game's light and dark colours from the palette table.
    void applyPalette(int index);

    // Every sprite of the game, in the order loadSprites loads them.
    static std::vector<std::string> allSpriteNames();

    // Frees what is held and loads every sprite of the game in order.
    void loadSprites();

    // Loads and recolours sprites/<name>.png and stores it under the name.
    sf::Sprite* loadSprite(const std::string& name);

    // The sprite loaded under the name, or null.
    sf::Sprite* getSprite(const std::string& name);

    // Picks random light and dark colours; the next reloadTextures keeps them.
    void randomizeColors();

    // Re-reads every texture in place with the current colours, then reloads the fonts.
    void reloadTextures();

    // True after randomizeColors until the next reloadTextures.
    static bool randomColorsActive;

    Game* game;
    std::map<std::string, sf::Sprite*> sprites;
    std::map<std::string, sf::Texture*> textures;

private:
    // The recoloured image of sprites/<name>.png; empty when the file is missing.
    sf::Image readImage(const std::string& name) const;

    // Deletes every sprite and texture.
    void clear();

    // The integer value of the setting "palette".
    int settingPalette() const;
};

#endif
