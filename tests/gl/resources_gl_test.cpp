#include "GlWorld.h"

#include "resources/Font.h"
#include "resources/SpriteManager.h"

#include <gtest/gtest.h>

namespace
{

using fixtures::GlWorld;

TEST(SpritesGlTest, LoadedRecolouredAndMissingOnesStayEmpty)
{
    GlWorld world;
    EXPECT_NE(world.log.find("Load sprites ... done!\n"), std::string::npos);
    // Every listed sprite, each once; how many there are the sprite files test holds.
    size_t listed = SpriteManager::allSpriteNames().size();
    EXPECT_EQ(world.game.sprites->sprites.size(), listed);
    EXPECT_EQ(world.game.sprites->textures.size(), listed);

    sf::Sprite* cursor = world.game.sprites->getSprite("cursor");
    ASSERT_NE(cursor, nullptr);
    sf::Image pixels = cursor->getTexture()->copyToImage();
    EXPECT_EQ(pixels.getSize(), sf::Vector2u(3, 3));
    EXPECT_EQ(pixels.getPixel(1, 1), world.game.darkColor);
    EXPECT_EQ(cursor->getTextureRect(), sf::IntRect(0, 0, 3, 3));

    // The frame keeps its transparent corner and takes the light fill.
    sf::Image frame =
        world.game.sprites->getSprite("ui/detailed_window_bordered")->getTexture()->copyToImage();
    EXPECT_EQ(frame.getPixel(0, 0).a, 0);
    EXPECT_EQ(frame.getPixel(9, 9), world.game.lightColor);

    sf::Sprite* missing = world.game.sprites->getSprite("road1");
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(missing->getTexture()->getSize(), sf::Vector2u(0, 0));
    EXPECT_EQ(world.game.sprites->getSprite("not_a_sprite"), nullptr);
}

TEST(SpritesGlTest, ReloadRecoloursTexturesInPlace)
{
    GlWorld world;
    sf::Sprite* cursor = world.game.sprites->getSprite("cursor");
    const sf::Texture* texture = cursor->getTexture();

    world.game.settings->set("palette", "5");
    world.game.sprites->reloadTextures();
    EXPECT_EQ(world.game.darkColor, sf::Color(164, 92, 44));
    EXPECT_EQ(cursor->getTexture(), texture); // same object, new pixels
    EXPECT_EQ(texture->copyToImage().getPixel(0, 0), sf::Color(164, 92, 44));
    // Fonts were loaded again and take the new dark colour.
    ASSERT_EQ(world.game.fonts->fonts.size(), 5u);
    EXPECT_EQ(world.game.fonts->getFont(0)->sprite->getColor(), sf::Color(164, 92, 44));

    world.game.sprites->randomizeColors();
    sf::Color randomDark = world.game.darkColor;
    world.game.sprites->reloadTextures();
    EXPECT_EQ(texture->copyToImage().getPixel(0, 0), randomDark);
    world.game.sprites->reloadTextures();
    EXPECT_EQ(texture->copyToImage().getPixel(0, 0), sf::Color(164, 92, 44));
}

TEST(FontsGlTest, FiveFontsLoadInOrder)
{
    GlWorld world;
    EXPECT_NE(world.log.find("Loaded font: normal\nLoaded font: small\nLoaded font: bold\n"
                             "Loaded font: numbers\nLoaded font: mixed\n"),
              std::string::npos);
    ASSERT_EQ(world.game.fonts->fonts.size(), 5u);
    for (int i = 0; i < 5; ++i)
    {
        Font* font = world.game.fonts->getFont(i);
        ASSERT_NE(font->texture, nullptr) << i;
        EXPECT_EQ(font->color, world.game.darkColor) << i;
        EXPECT_EQ(font->measureText("ab"), sf::Vector2i(8, fixtures::blockRowHeight)) << i;
        EXPECT_EQ(font->keepColours, i == 3) << i;
    }
    EXPECT_EQ(world.game.fonts->getFont(5), nullptr);
    EXPECT_EQ(world.game.fonts->getFont(-1), nullptr);

    // Tinted fonts keep a white image; the numbers font has its colours baked in.
    const sf::Vector2u glyphPixel(5, 3); // inside the second glyph ("!")
    sf::Image normal = world.game.fonts->getFont(0)->texture->copyToImage();
    sf::Image numbers = world.game.fonts->getFont(3)->texture->copyToImage();
    EXPECT_EQ(normal.getPixel(glyphPixel.x, glyphPixel.y), sf::Color::White);
    EXPECT_EQ(numbers.getPixel(glyphPixel.x, glyphPixel.y), world.game.lightColor);
    EXPECT_EQ(world.game.fonts->getFont(0)->sprite->getColor(), world.game.darkColor);
    EXPECT_EQ(world.game.fonts->getFont(3)->sprite->getColor(), sf::Color::White);
}

TEST(FontsGlTest, MissingFilesAreReportedAndHarmless)
{
    GlWorld world(false);
    EXPECT_NE(world.log.find("FONT ERROR: Could not find file: " + world.dir.path +
                             "fonts/normal.png\n"),
              std::string::npos);
    EXPECT_NE(world.log.find("Loaded font: mixed\n"), std::string::npos);
    ASSERT_EQ(world.game.fonts->fonts.size(), 5u);
    EXPECT_EQ(world.game.fonts->getFont(0)->measureText("abc"), sf::Vector2i(0, 0));
    // Without any sprite or font the UI still draws.
    world.game.ui->showMessage("Title", "Nothing to draw this with.", true);
    world.frame();
}

// Leftmost column at or after from with a pixel of the colour, or -1.
int firstColumn(const sf::Image& image, const sf::Color& color, int from)
{
    for (unsigned x = static_cast<unsigned>(from); x < image.getSize().x; ++x)
        for (unsigned y = 0; y < 10; ++y)
            if (image.getPixel(x, y) == color)
                return static_cast<int>(x);
    return -1;
}

TEST(FontsGlTest, TabsStopEveryEightPixels)
{
    GlWorld world;
    Font* font = world.game.fonts->getFont(0);
    struct Case
    {
        const char* text;
        int searchFrom; // past the glyphs before the tab
        int column;
    };
    const Case cases[] = {
        {"\ta", 0, 8},   // pen 0 -> 8
        {"aa\ta", 8, 16}, // pen 8 -> 16
        {"i\ta", 3, 8},  // pen 3 -> 8
        {"a\t\ta", 4, 16},
    };
    for (const Case& c : cases)
    {
        world.game.renderTexture->clear(world.game.lightColor);
        font->drawText(c.text, 0, 0, *world.game.renderTexture);
        sf::Image image = world.picture();
        EXPECT_EQ(firstColumn(image, world.game.darkColor, c.searchFrom), c.column) << c.text;
    }
}

} // namespace
