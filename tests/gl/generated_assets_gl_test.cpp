// The game's own managers on the assets the build generated into the run
// folder: every sprite loads recoloured, the five fonts cut a glyph for every
// printable character and wrap the game's texts inside their boxes, and every
// sound and music stream opens.

#include "../support/GameParts.h"
#include "../support/Fixtures.h"

#include "resources/Font.h"
#include "resources/FontDefinition.h"
#include "resources/FontManager.h"
#include "resources/SoundManager.h"
#include "resources/SpriteManager.h"
#include "resources/Utils.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

class GeneratedAssetsGlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        savedBase = getBasePath();
        setBasePath(std::string(QUILLFENN_RUN_DIR) + "/");
        game.settings = fixtures::makeSettings("palette=0\nsfxEnabled=true\nmusicEnabled=true\n");
        game.pixelScale = 1;
        testing::internal::CaptureStdout();
        game.sprites = new SpriteManager(&game);
        game.sounds = new SoundManager(&game);
        game.fonts = new FontManager(&game);
        game.sprites->loadSprites();
        game.sounds->loadSounds();
        game.fonts->loadFonts();
        log = testing::internal::GetCapturedStdout();
    }

    void TearDown() override
    {
        freeGameParts(game);
        setBasePath(savedBase);
    }

    Game game;
    std::string log;
    std::string savedBase;
};

TEST_F(GeneratedAssetsGlTest, EverySpriteLoadsInThePalette)
{
    EXPECT_NE(log.find("Load sprites ... done!\n"), std::string::npos);
    EXPECT_EQ(game.sprites->sprites.size(), SpriteManager::allSpriteNames().size());
    for (const auto& entry : game.sprites->sprites)
    {
        ASSERT_NE(entry.second, nullptr) << entry.first;
        const sf::Texture* texture = entry.second->getTexture();
        ASSERT_NE(texture, nullptr) << entry.first;
        EXPECT_GT(texture->getSize().x, 0u) << entry.first;
        EXPECT_GT(texture->getSize().y, 0u) << entry.first;
    }
    // The window frame's fill (its centre pixel) takes the palette's first colour.
    sf::Image frame = game.sprites->getSprite("ui/detailed_window_bordered")->getTexture()->copyToImage();
    EXPECT_EQ(frame.getPixel(9, 9), game.lightColor);
    EXPECT_EQ(game.lightColor, sf::Color(232, 206, 168));
}

TEST_F(GeneratedAssetsGlTest, FontsCoverPrintableTextAndWrapInsideTheirBoxes)
{
    EXPECT_EQ(log.find("FONT ERROR"), std::string::npos) << log;
    ASSERT_EQ(game.fonts->fonts.size(), 5u);
    for (int i = 0; i < 5; ++i)
    {
        Font* font = game.fonts->getFont(i);
        ASSERT_NE(font->texture, nullptr) << i;
        int bands = 0;
        for (const FontSet* set : font->definition->sets)
            bands += set->rowHeightBitmap;
        EXPECT_EQ(static_cast<unsigned>(bands), font->texture->getSize().y) << "font " << i;
        for (char16_t c = 32; c < 127; ++c)
            EXPECT_NE(font->getGlyph(c), nullptr) << "font " << i << " lacks '" << char(c) << "'";
        EXPECT_GT(font->getRowHeight(), 0) << i;
    }

    // Message dialogs wrap to 176 pixels; every line must fit.
    const std::string welcome =
        "Welcome! This is your city. Build it as you see fit, but remember you can only place "
        "buildings next to roads. Some buildings like houses, shops and factories generate income, "
        "while others such as water towers, parks and roads cost money to maintain.";
    Font* normal = game.fonts->getFont(0);
    for (const std::string& line : split(normal->wordWrap(welcome, 176), '\n'))
        EXPECT_LE(normal->measureText(line).x, 176) << line;
    // A status line of the longest layer caption fits the 632-pixel status text.
    EXPECT_LE(normal->measureText("Showing housing population, filled jobs and number of shoppers").x, 632);
}

TEST_F(GeneratedAssetsGlTest, EveryEffectAndStreamOpens)
{
    const char* const effects[] = {"click", "progress_build", "plop_road", "plop_building", "demolish",
                                   "tick", "open_window", "tock", "year_end", "month_end", "fire",
                                   "putoutfire", "unlocked_feature", "upgrade"};
    for (const char* name : effects)
    {
        sf::Sound* sound = game.sounds->getSound(name);
        ASSERT_NE(sound, nullptr) << name;
        ASSERT_NE(sound->getBuffer(), nullptr) << name;
        EXPECT_GT(sound->getBuffer()->getDuration(), sf::Time::Zero) << name;
    }
    for (const char* name : {"music/menu", "music/1", "music/2", "music/3", "music/4", "music/5",
                             "music/6", "music/7"})
    {
        sf::Music* music = game.sounds->getMusic(name);
        ASSERT_NE(music, nullptr) << name;
        EXPECT_GE(music->getDuration().asSeconds(), 30.0f) << name;
        EXPECT_LE(music->getDuration().asSeconds(), 90.0f) << name;
    }
}

} // namespace
