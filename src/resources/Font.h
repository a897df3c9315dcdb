#ifndef QUILLFENN_RESOURCES_FONT_H
#define QUILLFENN_RESOURCES_FONT_H

#include "resources/Utils.h"

#include <SFML/Graphics.hpp>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class Game;
class FontDefinition;
class FontSet;

// Where a character's glyph is: its set and its index within that set.
class GlyphRef
{
public:
    int16_t set = 0;
    int16_t glyph = 0;
};

// A bitmap font cut from fonts/<name>.png by separator colour. The
// definition says which characters stand in each band of the image.
class Font
{
public:
    // At most this many sets are cut.
    static constexpr int maxSets = 64;

    // Loads the image and cuts the glyphs; takes ownership of the definition.
    Font(Game* game, FontDefinition* layout, bool keepsColours);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // Cuts the glyph rectangles of every set from the top rows of their bands.
    void cutGlyphs(const sf::Image& image);

    // The glyph of a character, or null when the font has none.
    const GlyphRef* getGlyph(char16_t c) const;

    // Row height of the first set; 0 without sets.
    int getRowHeight() const;

    // Line spacing of the first set; 0 without sets.
    int getLineSpacing() const;

    // The text with every 16-bit unit upper-cased.
    static std::string toUpper(const std::string& text);

    // Width of the widest line and the height of all lines; tags in braces have no width.
    sf::Vector2i measureText(const std::string& text) const;

    // Draws one line of glyphs with the sprite's current colour; tabs stop every 8 pixels.
    void drawText(const std::string& text, int x, int y, sf::RenderTarget& target) const;

    // The text with line feeds inserted so that lines fit maxWidth where a space allows.
    std::string wordWrap(const std::string& text, int maxWidth) const;

    Game* owner;
    sf::Texture* texture = nullptr;
    sf::Sprite* sprite = nullptr;
    sf::Color color;
    FontDefinition* definition;
    bool keepColours;
    std::vector<sf::IntRect> glyphRects[maxSets];
    std::map<char16_t, GlyphRef*> charMap;

private:
    // Reads (and for keepColours recolours) the font image; false on failure, already logged.
    bool loadImage(sf::Image& image) const;

    // Width a unit adds to a line: its glyph's width plus its set's letter spacing.
    int advance(char16_t c) const;

    // The set a glyph belongs to.
    const FontSet& setOf(const GlyphRef& glyph) const;
};

#endif
