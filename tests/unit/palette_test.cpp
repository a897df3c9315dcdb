#include "../support/Fixtures.h"

#include "resources/SpriteManager.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{

TEST(PaletteTest, RecolourTouchesOnlyOpaqueWhiteAndBlack)
{
    const sf::Color light(1, 2, 3), dark(4, 5, 6);
    struct Case
    {
        sf::Color in;
        sf::Color out;
    };
    const Case cases[] = {
        {sf::Color(255, 255, 255, 255), light},
        {sf::Color(0, 0, 0, 255), dark},
        {sf::Color(255, 255, 255, 254), sf::Color(255, 255, 255, 254)},
        {sf::Color(0, 0, 0, 254), sf::Color(0, 0, 0, 254)},
        {sf::Color(0, 0, 0, 0), sf::Color(0, 0, 0, 0)},
        {sf::Color(255, 255, 255, 0), sf::Color(255, 255, 255, 0)},
        {sf::Color(255, 255, 0, 255), sf::Color(255, 255, 0, 255)}, // a picking-mask colour
        {sf::Color(1, 0, 0, 255), sf::Color(1, 0, 0, 255)},
    };
    sf::Image image;
    image.create(sizeof(cases) / sizeof(cases[0]), 2);
    for (unsigned i = 0; i < image.getSize().x; ++i)
    {
        image.setPixel(i, 0, cases[i].in);
        image.setPixel(i, 1, cases[i].in);
    }
    SpriteManager::recolor(image, light, dark);
    for (unsigned i = 0; i < image.getSize().x; ++i)
    {
        EXPECT_EQ(image.getPixel(i, 0), cases[i].out) << "pixel " << i;
        EXPECT_EQ(image.getPixel(i, 1), cases[i].out) << "pixel " << i << ", second row";
    }
}

TEST(PaletteTest, SettingChoosesThePaletteAndBadValuesAreSafe)
{
    struct Case
    {
        const char* value;
        sf::Color light;
        sf::Color dark;
    };
    const sf::Color black(0, 0, 0, 255);
    const Case cases[] = {
        {"0", sf::Color(232, 206, 168), sf::Color(70, 62, 108)},
        {"5", sf::Color(31, 34, 37), sf::Color(164, 92, 44)},
        {"7", sf::Color(40, 36, 42), sf::Color(82, 144, 74)},
        {"9", black, black},
        {"-1", black, black},
        {"8", black, black},
        {"green", sf::Color(232, 206, 168), sf::Color(70, 62, 108)}, // not a number reads as 0
        {"", sf::Color(232, 206, 168), sf::Color(70, 62, 108)},
    };
    for (const Case& c : cases)
    {
        Game game;
        game.settings = fixtures::makeSettings(std::string("palette=") + c.value + "\n");
        SpriteManager sprites(&game);
        EXPECT_EQ(game.lightColor, c.light) << c.value;
        EXPECT_EQ(game.darkColor, c.dark) << c.value;
        delete game.settings;
        game.settings = nullptr;
    }
}

TEST(PaletteTest, RandomColoursLastForOneReload)
{
    Game game;
    game.settings = fixtures::makeSettings("palette=3\n");
    SpriteManager sprites(&game);

    std::srand(1234);
    int draws[6];
    for (int& d : draws)
        d = std::rand() % 255;
    std::srand(1234);
    sprites.randomizeColors();
    // Blue, green, red; light before dark.
    const sf::Color light(draws[2], draws[1], draws[0], 255);
    const sf::Color dark(draws[5], draws[4], draws[3], 255);
    EXPECT_EQ(game.lightColor, light);
    EXPECT_EQ(game.darkColor, dark);

    sprites.reloadTextures();
    EXPECT_EQ(game.lightColor, light);
    EXPECT_EQ(game.darkColor, dark);

    sprites.reloadTextures();
    EXPECT_EQ(game.lightColor, sf::Color(228, 217, 192));
    EXPECT_EQ(game.darkColor, sf::Color(91, 72, 49));

    delete game.settings;
    game.settings = nullptr;
}

TEST(PaletteTest, UnknownSpriteIsNull)
{
    Game game;
    SpriteManager sprites(&game);
    EXPECT_EQ(sprites.getSprite("cursor"), nullptr);
    EXPECT_EQ(sprites.getSprite("no_such_sprite"), nullptr);
}

} // namespace
