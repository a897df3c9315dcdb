#include "Review.h"

#include "PixelFont.h"

#include "resources/SpriteLayout.h"

#include <algorithm>
#include <string>
#include <vector>

namespace
{
const int sheetWidth = 1400;

// Copies src into dst at (x, y), each pixel as a scale x scale block; transparent pixels are skipped.
void paste(sf::Image& dst, const sf::Image& src, int x, int y, int scale, bool mirror = false)
{
    sf::Vector2u size = src.getSize();
    for (unsigned sy = 0; sy < size.y; ++sy)
        for (unsigned sx = 0; sx < size.x; ++sx)
        {
            sf::Color c = src.getPixel(mirror ? size.x - 1 - sx : sx, sy);
            if (c.a == 0)
                continue;
            for (int k = 0; k < scale * scale; ++k)
            {
                int px = x + static_cast<int>(sx) * scale + k % scale;
                int py = y + static_cast<int>(sy) * scale + k / scale;
                if (px >= 0 && py >= 0 && px < static_cast<int>(dst.getSize().x) && py < static_cast<int>(dst.getSize().y))
                    dst.setPixel(static_cast<unsigned>(px), static_cast<unsigned>(py), c);
            }
        }
}

void label(sf::Image& dst, int x, int y, const std::string& text, sf::Color colour)
{
    PixelFont font(true);
    Canvas canvas(font.measure(text) + 1, font.glyphHeight);
    font.draw(canvas, 0, 0, text, Black);
    paste(dst, canvas.toImage(colour, colour), x, y, 1);
}

// The tile kinds of the review town.
enum Kind
{
    Empty,
    Road,
    Sprite,
};

struct Cell
{
    Kind kind;
    const char* sprite;
    bool burning;
    bool trash;
};
} // namespace

sf::Image Review::contactSheet(const SpriteCatalog& catalog, sf::Color light, sf::Color dark)
{
    // Lay the cells out in rows first to learn the height.
    struct Placed
    {
        const SpriteArt* art;
        int x, y;
    };
    std::vector<Placed> placed;
    PixelFont font(true);
    int x = 8, y = 8, rowHeight = 0;
    for (const SpriteArt& art : catalog.sprites)
    {
        int w = std::max(art.canvas.width * 2, art.colourMask ? 68 : 0);
        int h = std::max(art.canvas.height * 2, art.colourMask ? 34 : 0);
        int cellWidth = std::max(w, font.measure(art.name)) + 12;
        if (x + cellWidth > sheetWidth)
        {
            x = 8;
            y += rowHeight;
            rowHeight = 0;
        }
        placed.push_back(Placed{&art, x, y});
        x += cellWidth;
        rowHeight = std::max(rowHeight, h + 16);
    }
    sf::Image sheet;
    sheet.create(sheetWidth, static_cast<unsigned>(y + rowHeight + 8), sf::Color(128, 128, 128));
    for (const Placed& p : placed)
    {
        sf::Image image = p.art->render(light, dark);
        sf::Vector2u size = image.getSize();
        // A backdrop in the light colour shows where the sprite's clear pixels are.
        sf::Image backdrop;
        backdrop.create(size.x, size.y, sf::Color(light.r / 2 + 64, light.g / 2 + 64, light.b / 2 + 64));
        paste(sheet, backdrop, p.x, p.y, 2);
        paste(sheet, image, p.x, p.y, 2);
        label(sheet, p.x, p.y + static_cast<int>(size.y) * 2 + 3, p.art->name, sf::Color::Black);
    }
    return sheet;
}

sf::Image Review::scene(const SpriteCatalog& catalog, sf::Color light, sf::Color dark)
{
    const int n = 7;
    // Row y of the plan, x growing to the right; roads along y = 3 and x = 4.
    const char* plan[n] = {
        "T.HsR.F",
        "hMHsRco",
        "p.wfRlP",
        "RRRRRRR",
        "HhqeRSL",
        "tTnTRbC",
        "..TaRR.",
    };
    auto cellOf = [&](int tx, int ty) -> Cell {
        switch (plan[ty][tx])
        {
        case 'R': return Cell{Road, nullptr, false, tx == 5 && ty == 3};
        case 'H': return Cell{Sprite, tx == 0 ? "house_large_1" : "house_large_2", tx == 2 && ty == 1, false};
        case 'h': return Cell{Sprite, ty == 1 ? "house_small_2" : "house_small_1", false, false};
        case 'q': return Cell{Sprite, "house_small_3", false, false};
        case 'e': return Cell{Sprite, "house_small_4", false, false};
        case 's': return Cell{Sprite, ty == 0 ? "shop" : "convenience_store", false, false};
        case 'M': return Cell{Sprite, "market", false, false};
        case 'F': return Cell{Sprite, "factory_1", false, false};
        case 'f': return Cell{Sprite, "flats_1", false, false};
        case 'w': return Cell{Sprite, "watertower", false, false};
        case 'c': return Cell{Sprite, "commercial_1", false, false};
        case 'o': return Cell{Sprite, "commercial_3", false, false};
        case 'l': return Cell{Sprite, "flats_3", false, false};
        case 'P': return Cell{Sprite, "police_station", false, false};
        case 'p': return Cell{Sprite, "park1", false, false};
        case 'S': return Cell{Sprite, "fire_station", false, false};
        case 'L': return Cell{Sprite, "hospital", false, false};
        case 'C': return Cell{Sprite, "factory_2", false, false};
        case 'b': return Cell{Sprite, "pumping_station", false, false};
        case 'n': return Cell{Sprite, "rubble", false, false};
        case 'a': return Cell{Sprite, "landfill", false, false};
        case 'T': return Cell{Sprite, "tree1", false, false};
        case 't': return Cell{Sprite, "flats_2", false, false};
        default: return Cell{Empty, nullptr, false, false};
        }
    };
    auto isRoad = [&](int tx, int ty) {
        return tx >= 0 && ty >= 0 && tx < n && ty < n && plan[ty][tx] == 'R';
    };
    const int scale = 3;
    const int top = 70;
    sf::Image image;
    image.create(static_cast<unsigned>((16 * 2 * (n - 1) + 34 + 16) * scale),
                 static_cast<unsigned>((top + 16 * (n - 1) + 17 + 8) * scale), light);
    // Back to front: rows further up the screen (smaller y - x) first.
    for (int d = -(n - 1); d <= n - 1; ++d)
        for (int tx = 0; tx < n; ++tx)
        {
            int ty = tx + d;
            if (ty < 0 || ty >= n)
                continue;
            Cell cell = cellOf(tx, ty);
            const char* name = "tile_border";
            bool mirror = false;
            if (cell.kind == Road)
                name = roadSpriteName(isRoad(tx, ty - 1), isRoad(tx, ty + 1), isRoad(tx - 1, ty), isRoad(tx + 1, ty));
            else if (cell.kind == Sprite)
            {
                name = cell.sprite;
                // The door looks west unless the road lies to the south or north.
                bool west = isRoad(tx - 1, ty) || isRoad(tx + 1, ty);
                mirror = !west && (isRoad(tx, ty + 1) || isRoad(tx, ty - 1));
            }
            int sx = 8 + 16 * (tx + ty);
            int sy = top + 8 * (ty - tx) + 8 * (n - 1);
            const SpriteArt* art = catalog.find(name);
            if (!art)
                continue;
            sf::Image sprite = art->render(light, dark);
            int h = static_cast<int>(sprite.getSize().y);
            if (cell.kind == Sprite)
                paste(image, catalog.find("tile_border")->render(light, dark), sx * scale, sy * scale, scale);
            paste(image, sprite, sx * scale, (sy + 17 - h) * scale, scale, mirror);
            if (cell.trash)
                paste(image, catalog.find("trash_on_streets")->render(light, dark), sx * scale, sy * scale, scale);
            if (cell.burning)
            {
                sf::Image fire = catalog.find("fire_animation")->render(light, dark);
                sf::Image frame;
                frame.create(fireFrameWidth, fire.getSize().y, sf::Color::Transparent);
                frame.copy(fire, 0, 0, sf::IntRect(2 * fireFrameWidth, 0, fireFrameWidth, static_cast<int>(fire.getSize().y)));
                paste(image, frame, sx * scale, (sy + 17 - static_cast<int>(frame.getSize().y)) * scale, scale);
            }
        }
    return image;
}
