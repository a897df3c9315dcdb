// The in-game windows drawn with the game's own generated sprites and fonts:
// each stays inside its frame, its shadow and the buttons on its lower edge,
// and every text fits the box it was given. The pictures are kept in the
// build folder (screens_<window>_<palette>.png) for a look by eye.

#include "../support/Fixtures.h"
#include "../support/GameParts.h"

#include "game/Screens.h"
#include "gui/Button.h"
#include "gui/Text.h"
#include "gui/UI.h"
#include "gui/Window.h"
#include "resources/Font.h"
#include "resources/FontManager.h"
#include "resources/Settings.h"
#include "resources/SpriteManager.h"
#include "simulation/City.h"
#include "simulation/Map.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace
{

class ScreensGlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        savedBase = getBasePath();
        setBasePath(std::string(QUILLFENN_RUN_DIR) + "/");
        game.settings = fixtures::makeSettings("palette=0\nsfxEnabled=false\nmusicEnabled=false\n");
        game.pixelScale = 1;
        game.renderTexture = new sf::RenderTexture();
        game.renderTexture->create(640, 360);
        game.postProcessing = true;
        testing::internal::CaptureStdout();
        game.sprites = new SpriteManager(&game);
        game.fonts = new FontManager(&game);
        game.sprites->loadSprites();
        game.fonts->loadFonts();
        game.ui = new UI(&game);
        game.ui->gameRoot->setVisible(true);
        game.city = new City(&game);
        game.map = new Map(&game);
        testing::internal::GetCapturedStdout();
        game.city->reset();
        game.city->setMoney(25000);
        fillCity();
    }

    void TearDown() override
    {
        game.ui_closeAllWindows();
        game.ui->runPosted();
        freeGameParts(game);
        setBasePath(savedBase);
    }

    // Numbers as wide as a grown city's, so the columns are tried for room.
    void fillCity()
    {
        City& city = *game.city;
        for (int c = 0; c < 11; ++c)
        {
            city.monthIncomes[c] = 12345.0 * (c % 3);
            city.monthExpenses[c] = -2345.0 * (c % 2);
            city.lastYearIncomes[c] = 987654.0 * (c % 2);
            city.yearExpenses[c] = -123456.0;
        }
        city.profitYesterday = 0.5;
        city.loan = 15000;
        city.population = 12345;
        city.lowerShare = 0.5;
        city.middleShare = 0.3;
        city.upperShare = 0.2;
        const double prices[3] = {0.2, 0.4, 1.5};
        for (int kind = 0; kind < 3; ++kind)
        {
            game.goodsProduction[kind] = 1234.0;
            game.goodsDemand[kind] = 5678.0;
            game.goodsIncome[kind] = -1234.5;
            game.goodsPrice[kind] = prices[kind];
        }
        game.housingDemand[0] = 1.0;
        game.housingDemand[1] = 0.45;
    }

    sf::Image frame()
    {
        game.renderTexture->clear(game.lightColor);
        game.ui->draw();
        game.renderTexture->display();
        return game.renderTexture->getTexture().copyToImage();
    }

    // Pixels that changed when the window came, outside the room it may take:
    // its box, the shadow 3 to the right and below, and the buttons that sit
    // on its lower edge.
    int strayPixels(const sf::Image& before, const sf::Image& after, const gui::Window* window)
    {
        sf::Vector2i p = window->getAbsolutePosition();
        sf::IntRect room(p.x - 1, p.y - 1, window->width + 5, window->height + 11);
        int stray = 0;
        for (unsigned y = 0; y < after.getSize().y; ++y)
            for (unsigned x = 0; x < after.getSize().x; ++x)
                if (before.getPixel(x, y) != after.getPixel(x, y) &&
                    !room.contains(static_cast<int>(x), static_cast<int>(y)))
                    ++stray;
        return stray;
    }

    // Every text's lines fit its box across.
    void expectTextsFit(const gui::Widget* parent, const std::string& window)
    {
        for (const gui::Widget* child : parent->children)
        {
            if (child->type == gui::TypeText)
            {
                const gui::Text* text = static_cast<const gui::Text*>(child);
                for (size_t i = 0; i < text->lines.size(); ++i)
                    EXPECT_LE(text->lineSizes[i].x, text->width) << window << ": \"" << text->lines[i] << "\"";
            }
            expectTextsFit(child, window);
        }
    }

    void checkWindow(const std::string& name, const std::function<void()>& open, gui::Window*& pointer)
    {
        for (int palette : {0, 5})
        {
            game.settings->setInt("palette", palette);
            game.sprites->reloadTextures();
            sf::Image before = frame();
            open();
            ASSERT_NE(pointer, nullptr) << name;
            sf::Image after = frame();
            after.saveToFile(std::string(QUILLFENN_RUN_DIR) + "/../screens_" + name + "_" +
                             std::to_string(palette) + ".png");
            EXPECT_EQ(strayPixels(before, after, pointer), 0) << name << " draws outside its frame";
            expectTextsFit(pointer, name);
            screens::closeScreen(pointer);
        }
    }

    Game game;
    std::string savedBase;
};

TEST_F(ScreensGlTest, FinanceWindow)
{
    checkWindow("finance", [this] { game.ui_showExpenditure(); }, screens::financeWindow);
}

TEST_F(ScreensGlTest, CityWindow)
{
    checkWindow("city", [this] { game.ui_showCityInfo(); }, screens::cityInfoWindow);
}

TEST_F(ScreensGlTest, ProductionWindow)
{
    checkWindow("production", [this] { game.ui_showProduction(); }, screens::productionWindow);
}

TEST_F(ScreensGlTest, MenuAndAboutWindows)
{
    checkWindow("menu", [this] { game.ui_showMenu(); }, screens::menuWindow);
    checkWindow("about", [this] { game.ui_showAbout(); }, screens::aboutWindow);
    checkWindow("options", [this] { game.ui_showOptions(); }, screens::optionsWindow);
}

} // namespace
