#ifndef QUILLFENN_SIMULATION_DRAW_MAPATLAS_H
#define QUILLFENN_SIMULATION_DRAW_MAPATLAS_H

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <map>
#include <string>
#include <vector>

class Font;
class FontManager;
class SpriteManager;

// What the map drawing is handed each frame: the sprite and font managers
// and the palette's two colours.
struct MapDrawingSources
{
    SpriteManager* sprites = nullptr;
    FontManager* fonts = nullptr;
    sf::Color light;
    sf::Color dark;
};

// Every sprite the map drawing uses, and the numbers font, copied side by
// side into one texture, so a whole frame of the map is a single draw call.
// The copies follow the palette: the atlas is rebuilt when the colours or
// the loaded sprites and fonts change.
class MapAtlas
{
public:
    MapAtlas() = default;

    MapAtlas(const MapAtlas&) = delete;
    MapAtlas& operator=(const MapAtlas&) = delete;

    // Rebuilds the texture when the palette or the loaded assets changed; false when there is nothing to draw with.
    bool update(const MapDrawingSources& handed);

    // Names of the plain patches of the light and the dark colour.
    static constexpr const char* lightPatchName = "#light";
    static constexpr const char* darkPatchName = "#dark";

    // Where a sprite lies in the atlas, or null when it was not loaded.
    const sf::IntRect* find(const std::string& name) const;

    // Where the label font's image starts in the atlas.
    sf::Vector2i fontOrigin() const;

    // The font the labels are set in, or null.
    const Font* labelFont() const;

    sf::Texture texture;

    // Counts the rebuilds, so users know when places they looked up went stale.
    int generation = 0;

private:
    // What the current copies were made from.
    struct Source
    {
        sf::Color light;
        sf::Color dark;
        const void* sprites = nullptr;
        const void* firstSprite = nullptr;
        const void* font = nullptr;
        const void* fontTexture = nullptr;

        bool operator==(const Source& other) const;
    };

    // What the copies would be made from now.
    Source currentSource() const;

    // Copies the sprites and the font into a new texture.
    void build();

    MapDrawingSources sources;
    Source source;
    bool built = false;
    std::map<std::string, sf::IntRect> regions;
    sf::Vector2i fontAt;
    const Font* font = nullptr;
};

#endif
