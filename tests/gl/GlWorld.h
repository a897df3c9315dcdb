#ifndef QUILLFENN_TESTS_GLWORLD_H
#define QUILLFENN_TESTS_GLWORLD_H

// A game drawing into a 640 x 360 render texture, with fixture sprites and
// fonts written to a temporary base folder.

#include "../support/GameParts.h"
#include "../support/Fixtures.h"

#include "gui/UI.h"
#include "gui/Widget.h"
#include "resources/FontManager.h"
#include "resources/SpriteManager.h"

#include <gtest/gtest.h>

#include <string>

namespace fixtures
{

// An image of one colour with its corner pixels transparent.
inline sf::Image roundedBlock(unsigned w, unsigned h, const sf::Color& fill)
{
    sf::Image image;
    image.create(w, h, fill);
    for (unsigned x : {0u, w - 1})
        for (unsigned y : {0u, h - 1})
            image.setPixel(x, y, sf::Color::Transparent);
    return image;
}

// Writes the sprites and fonts the widget layer draws with.
inline void writeUiAssets(const TempDir& dir)
{
    // Window frame: white fill, black 1-pixel border, rounded corners.
    sf::Image frame = roundedBlock(19, 19, sf::Color::White);
    for (unsigned i = 1; i < 18; ++i)
    {
        frame.setPixel(i, 0, sf::Color::Black);
        frame.setPixel(i, 18, sf::Color::Black);
        frame.setPixel(0, i, sf::Color::Black);
        frame.setPixel(18, i, sf::Color::Black);
    }
    dir.writeImage("sprites/ui/detailed_window_bordered.png", frame);
    dir.writeImage("sprites/ui/detailed_window_bordered_shadow.png",
                   roundedBlock(19, 19, sf::Color::Black));

    sf::Image titlebar;
    titlebar.create(24, 9, sf::Color::Black);
    dir.writeImage("sprites/ui/titlebar.png", titlebar);

    sf::Image corner;
    corner.create(8, 8, sf::Color::Transparent);
    for (unsigned i = 0; i < 8; ++i)
    {
        corner.setPixel(i, 0, sf::Color::Black);
        corner.setPixel(0, i, sf::Color::Black);
    }
    dir.writeImage("sprites/ui/corner.png", corner);

    sf::Image cursor;
    cursor.create(3, 3, sf::Color::Black);
    dir.writeImage("sprites/cursor.png", cursor);

    sf::Image icon;
    icon.create(10, 10, sf::Color::Black);
    dir.writeImage("sprites/ui/help_button.png", icon);

    for (const char* name : {"normal", "small", "bold", "numbers", "mixed"})
    {
        dir.write(std::string("fonts/") + name + ".dat", blockFontDat());
        dir.writeImage(std::string("fonts/") + name + ".png", makeBlockFontImage());
    }
}

class GlWorld
{
public:
    explicit GlWorld(bool withAssets = true)
    {
        if (withAssets)
            writeUiAssets(dir);
        setBasePath(dir.path);
        game.settings = makeSettings("palette=0\nsfxEnabled=false\nmusicEnabled=false\n");
        game.pixelScale = 1;
        game.renderTexture = new sf::RenderTexture();
        game.renderTexture->create(640, 360);
        game.postProcessing = true;
        game.sprites = new SpriteManager(&game);
        game.fonts = new FontManager(&game);
        testing::internal::CaptureStdout();
        game.sprites->loadSprites();
        game.fonts->loadFonts();
        log = testing::internal::GetCapturedStdout();
        game.ui = new UI(&game);
        game.ui->gameRoot->setVisible(true);
    }
    ~GlWorld()
    {
        freeGameParts(game);
        setBasePath("");
    }
    GlWorld(const GlWorld&) = delete;
    GlWorld& operator=(const GlWorld&) = delete;

    // Clears with the light colour and draws the UI; returns the picture.
    sf::Image frame()
    {
        game.renderTexture->clear(game.lightColor);
        game.ui->draw();
        return picture();
    }

    // What the render texture holds now.
    sf::Image picture()
    {
        game.renderTexture->display();
        return game.renderTexture->getTexture().copyToImage();
    }

    TempDir dir;
    Game game;
    std::string log;
};

} // namespace fixtures

#endif
