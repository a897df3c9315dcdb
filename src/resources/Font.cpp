#include "resources/Font.h"

#include "game/Game.h"
#include "resources/FontDefinition.h"
#include "resources/SpriteManager.h"
#include "resources/Utils.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cwctype>

namespace
{

// For every index, where the next '}' at or after it stands (npos when none
// does): one pass, so that a text full of unclosed braces costs no more
// than any other.
std::vector<size_t> findClosers(const WideString& units)
{
    std::vector<size_t> next(units.size());
    size_t close = WideString::npos;
    for (size_t i = units.size(); i-- > 0;)
    {
        if (units[i] == u'}')
            close = i;
        next[i] = close;
    }
    return next;
}

// Index just past the '}' that closes a tag opened at i, or 0 when none closes it.
size_t tagEnd(const WideString& units, const std::vector<size_t>& closers, size_t i)
{
    if (units[i] != u'{' || closers[i] == WideString::npos)
        return 0;
    return closers[i] + 1;
}

bool isLineBreak(char16_t c)
{
    return c == u'\n' || c == u'\r';
}

// Metrics come from a definition file that may hold any number: sums are
// taken in 64 bits and handed back clamped to int.
int clampToInt(long long value)
{
    return static_cast<int>(std::max<long long>(INT_MIN, std::min<long long>(INT_MAX, value)));
}

// A glyph index must fit the 16 bits of GlyphRef.
const size_t maxGlyphsPerSet = static_cast<size_t>(INT16_MAX) + 1;

} // namespace

Font::Font(Game* game, FontDefinition* layout, bool keepsColours)
    : owner(game), color(sf::Color::Black), definition(layout), keepColours(keepsColours)
{
    sprite = new sf::Sprite();
    sf::Image image;
    if (!loadImage(image))
        return;
    cutGlyphs(image);
    texture = new sf::Texture();
    texture->loadFromImage(image);
    sprite->setTexture(*texture, true);
}

Font::~Font()
{
    for (auto& entry : charMap)
        delete entry.second;
    delete definition;
    delete texture;
    delete sprite;
}

bool Font::loadImage(sf::Image& image) const
{
    std::string path = getBasePath() + "fonts/" + definition->name + ".png";
    if (!fileExists(path) || !image.loadFromFile(path))
    {
        std::printf("FONT ERROR: Could not find file: %s\n", path.c_str());
        return false;
    }
    if (image.getSize().x == 0 || image.getSize().y == 0)
    {
        std::printf("FONT ERROR: Font image size is 0\n");
        return false;
    }
    if (keepColours && owner)
        SpriteManager::recolor(image, owner->lightColor, owner->darkColor);
    return true;
}

void Font::cutGlyphs(const sf::Image& image)
{
    for (auto& entry : charMap)
        delete entry.second;
    charMap.clear();
    for (std::vector<sf::IntRect>& rects : glyphRects)
        rects.clear();
    if (!definition || definition->sets.empty())
        return;

    const int width = static_cast<int>(image.getSize().x);
    const int height = static_cast<int>(image.getSize().y);
    if (width == 0 || height == 0)
        return;
    const sf::Color separator = image.getPixel(0, 0);
    auto isSeparator = [&](int x, int y) { return image.getPixel(x, y) == separator; };

    long long top = 0;
    for (size_t k = 0; k < definition->sets.size(); ++k)
    {
        if (k == static_cast<size_t>(maxSets))
        {
            std::printf("FONT ERROR: Max font sets exceeded (max: %d). Call 911.\n", maxSets);
            break;
        }
        const FontSet& set = *definition->sets[k];
        std::vector<sf::IntRect>& rects = glyphRects[k];
        rects.assign(set.characters.size(), sf::IntRect());

        // A band below the image has no glyphs.
        if (top >= 0 && top < height)
        {
            const int y = static_cast<int>(top);
            int left = 0;
            bool inGlyph = true;
            const size_t count = std::min(set.characters.size(), maxGlyphsPerSet);
            for (size_t j = 0; j < count; ++j)
            {
                int right = -1;
                for (int x = left + 1;; ++x)
                {
                    if (inGlyph)
                    {
                        // The last column never belongs to a glyph.
                        if (x >= width - 1 || isSeparator(x, y))
                        {
                            right = std::min(x, width - 1);
                            break;
                        }
                    }
                    else if (x >= width)
                    {
                        break;
                    }
                    else if (!isSeparator(x, y))
                    {
                        left = x - 1;
                        inGlyph = true;
                    }
                }
                if (right <= left)
                    continue;
                // A cut with nothing in it (two separators in a row) is no glyph.
                if (right - left - 1 > 0)
                {
                    rects[j] = sf::IntRect(left + 1, y, right - left - 1, set.rowHeightBitmap);
                    GlyphRef*& ref = charMap[set.characters[j]];
                    if (!ref)
                        ref = new GlyphRef();
                    ref->set = static_cast<int16_t>(k);
                    ref->glyph = static_cast<int16_t>(j);
                }
                left = right;
                // Past the image there is only gap.
                inGlyph = right + 1 < width && !isSeparator(right + 1, y);
            }
        }
        top += set.rowHeightBitmap;
    }
}

const GlyphRef* Font::getGlyph(char16_t c) const
{
    auto it = charMap.find(c);
    return it == charMap.end() ? nullptr : it->second;
}

int Font::getRowHeight() const
{
    if (!definition || definition->sets.empty())
        return 0;
    return definition->sets[0]->rowHeight;
}

int Font::getLineSpacing() const
{
    if (!definition || definition->sets.empty())
        return 0;
    return definition->sets[0]->lineSpacing;
}

std::string Font::toUpper(const std::string& text)
{
    WideString units = utf8ToWide(text);
    for (char16_t& c : units)
        c = static_cast<char16_t>(std::towupper(static_cast<wint_t>(c)));
    return wideToUtf8(units);
}

const FontSet& Font::setOf(const GlyphRef& glyph) const
{
    return *definition->sets[glyph.set];
}

int Font::advance(char16_t c) const
{
    const GlyphRef* glyph = getGlyph(c);
    if (!glyph)
        return 0;
    return clampToInt(static_cast<long long>(glyphRects[glyph->set][glyph->glyph].width) +
                      setOf(*glyph).letterSpacing);
}

sf::Vector2i Font::measureText(const std::string& text) const
{
    if (!sprite)
    {
        std::printf("FONT ERROR: Font has no sprite\n");
        return sf::Vector2i(0, 0);
    }
    WideString units = utf8ToWide(text);
    std::vector<size_t> closers = findClosers(units);
    long long lineWidth = 0, widest = 0, height = 0, tallest = 0;
    for (size_t i = 0; i < units.size(); ++i)
    {
        if (size_t end = tagEnd(units, closers, i))
        {
            i = end - 1;
            continue;
        }
        if (isLineBreak(units[i]))
        {
            height += tallest;
            tallest = 0;
            lineWidth = 0;
        }
        const GlyphRef* glyph = getGlyph(units[i]);
        if (!glyph)
            continue;
        const FontSet& set = setOf(*glyph);
        lineWidth += static_cast<long long>(set.letterSpacing) + glyphRects[glyph->set][glyph->glyph].width;
        widest = std::max(widest, lineWidth);
        height = std::max<long long>(height, set.rowHeight);
        tallest = std::max<long long>(tallest, set.rowHeight);
    }
    return sf::Vector2i(clampToInt(widest), clampToInt(height));
}

void Font::drawText(const std::string& text, int x, int y, sf::RenderTarget& target) const
{
    if (!sprite)
    {
        std::printf("FONT ERROR: Font has no sprite\n");
        return;
    }
    WideString units = utf8ToWide(text);
    long long pen = 0;
    for (char16_t c : units)
    {
        if (c == u'\t')
            pen = pen + 8 - ((pen + 8) % 8);
        const GlyphRef* glyph = getGlyph(c);
        if (!glyph)
            continue;
        const sf::IntRect& rect = glyphRects[glyph->set][glyph->glyph];
        sprite->setTextureRect(rect);
        sprite->setPosition(static_cast<float>(x + pen),
                            static_cast<float>(static_cast<long long>(y) + setOf(*glyph).rowOffset));
        target.draw(*sprite);
        pen += static_cast<long long>(setOf(*glyph).letterSpacing) + rect.width;
    }
}

std::string Font::wordWrap(const std::string& text, int maxWidth) const
{
    if (maxWidth == 0 || !sprite)
        return text;
    WideString units = utf8ToWide(text);
    std::vector<size_t> closers = findClosers(units);
    std::vector<WideString> lines;
    size_t start = 0;
    size_t lastSpace = WideString::npos; // within the current line
    long long width = 0;

    // Width of the units [from, to), tags excluded.
    auto widthOf = [&](size_t from, size_t to) {
        long long sum = 0;
        for (size_t k = from; k < to; ++k)
        {
            if (size_t end = tagEnd(units, closers, k))
                k = end - 1;
            else
                sum += advance(units[k]);
        }
        return sum;
    };

    for (size_t i = 0; i < units.size(); ++i)
    {
        if (size_t end = tagEnd(units, closers, i))
        {
            i = end - 1;
            continue;
        }
        char16_t c = units[i];
        if (isLineBreak(c))
        {
            lines.push_back(units.substr(start, i - start));
            start = i + 1;
            lastSpace = WideString::npos;
            width = 0;
            continue;
        }
        if (c == u' ')
            lastSpace = i;
        width += advance(c);
        // Break at the last space of the line; a space at the very line start
        // would only leave an empty line, so a lone long word runs over instead.
        if (width > maxWidth && lastSpace != WideString::npos && lastSpace > start)
        {
            lines.push_back(units.substr(start, lastSpace - start));
            start = lastSpace + 1;
            lastSpace = WideString::npos;
            width = widthOf(start, i + 1);
        }
    }
    lines.push_back(units.substr(start));

    WideString joined;
    for (size_t k = 0; k < lines.size(); ++k)
    {
        if (k > 0)
            joined += u'\n';
        joined += lines[k];
    }
    return wideToUtf8(joined);
}
