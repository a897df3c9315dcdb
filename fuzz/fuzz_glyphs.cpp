// A font as the game builds it from fonts/<name>.dat and fonts/<name>.png:
// the input is the definition text, a NUL byte, then the image file, PNG or
// BMP. Glyphs are cut from the decoded image, then text is measured, wrapped
// and upper-cased with them. An odd input length stands for the font that
// keeps its colours.
//
// Only images of at most 65536 pixels are decoded (the game's fonts have some
// 5000): larger ones, and the other formats SFML reads, cost time and memory
// in SFML's decoder rather than in the cutting, and would slow the search
// down to a crawl.

#include "FuzzSupport.h"

#include "game/Game.h"
#include "resources/Font.h"
#include "resources/FontDefinition.h"
#include "resources/SpriteManager.h"

#include <cstdlib>
#include <cstring>
#include <sstream>

namespace
{
Game* owner = nullptr;

const size_t maxPixels = 1u << 16;

uint32_t bigEndian32(const uint8_t* p)
{
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

int32_t littleEndian32(const uint8_t* p)
{
    return static_cast<int32_t>(uint32_t(p[3]) << 24 | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0]);
}

// The size a PNG or BMP header claims is small enough to decode.
bool worthDecoding(const uint8_t* data, size_t size)
{
    static const uint8_t png[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    uint64_t width = 0, height = 0;
    if (size >= 24 && std::memcmp(data, png, 8) == 0)
    {
        width = bigEndian32(data + 16);
        height = bigEndian32(data + 20);
    }
    else if (size >= 26 && data[0] == 'B' && data[1] == 'M')
    {
        width = static_cast<uint64_t>(std::abs(static_cast<int64_t>(littleEndian32(data + 18))));
        height = static_cast<uint64_t>(std::abs(static_cast<int64_t>(littleEndian32(data + 22))));
    }
    else
    {
        return false;
    }
    // A side of 0 would let the other run to billions of empty rows.
    return width > 0 && height > 0 && width * height <= maxPixels;
}

// Checks that every mapped character points at a cut rectangle inside the image.
void checkGlyphs(const Font& font, const sf::Image& image)
{
    const int width = static_cast<int>(image.getSize().x);
    for (const auto& entry : font.charMap)
    {
        const GlyphRef* ref = entry.second;
        fuzz::check(ref->set >= 0 && ref->set < Font::maxSets, "glyph set in range");
        const std::vector<sf::IntRect>& rects = font.glyphRects[ref->set];
        fuzz::check(ref->glyph >= 0 && static_cast<size_t>(ref->glyph) < rects.size(), "glyph index in range");
        const sf::IntRect& r = rects[ref->glyph];
        fuzz::check(r.left >= 1 && r.width >= 1 && r.left + r.width <= width - 1, "glyph inside the image");
    }
}

// Wrapping only turns blanks and line breaks into line feeds. (A unit 0, from
// an overlong sequence, ends a wrapped text on its way back to UTF-8; only
// the units before it are compared.)
void checkWrap(WideString in, WideString out)
{
    in = in.substr(0, in.find(u'\0'));
    out = out.substr(0, out.find(u'\0'));
    fuzz::check(in.size() == out.size(), "wrap keeps every unit");
    for (size_t i = 0; i < in.size(); ++i)
    {
        bool broken = out[i] == u'\n' && (in[i] == u' ' || in[i] == u'\r');
        fuzz::check(in[i] == out[i] || broken, "wrap changes only blanks and line breaks");
    }
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::silenceLogs();
    owner = new Game();
    SpriteManager::getPalette(3, owner->lightColor, owner->darkColor);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const uint8_t* nul = static_cast<const uint8_t*>(std::memchr(data, 0, size));
    if (!nul)
        return 0;
    const bool keepColours = size & 1;
    std::string text(reinterpret_cast<const char*>(data), nul - data);
    const uint8_t* imageData = nul + 1;
    size_t imageSize = size - (imageData - data);

    if (!worthDecoding(imageData, imageSize))
        return 0;
    sf::Image image;
    if (!image.loadFromMemory(imageData, imageSize))
        return 0;
    // The font's own load path: a missing file leaves it with a sprite and no
    // glyphs; the decoded image then goes through the same steps.
    FontDefinition* definition = new FontDefinition("fuzz-no-such-font");
    std::istringstream in(text);
    definition->read(in);
    Font font(owner, definition, keepColours);
    if (keepColours)
        SpriteManager::recolor(image, owner->lightColor, owner->darkColor);
    font.cutGlyphs(image);
    checkGlyphs(font, image);

    sf::Vector2i measured = font.measureText(text);
    fuzz::check(measured.x >= 0 && measured.y >= 0, "a size is never negative");
    for (int maxWidth : {0, 1, 7, 100, -1})
        checkWrap(utf8ToWide(text), utf8ToWide(font.wordWrap(text, maxWidth)));
    Font::toUpper(text);
    return 0;
}
