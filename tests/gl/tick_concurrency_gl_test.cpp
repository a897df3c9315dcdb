// Day ticks back to back on a dense city while the main thread plays: it
// draws the map and the widget tree, clicks, turns the map, starts and
// cancels actions, changes rents, prices and loans, highlights and pans.
// Run under ThreadSanitizer too: no race may be reported, nothing may
// deadlock, and the city must be sound afterwards.

#include "../support/ScriptedCity.h"
#include "HudWorld.h"

#include "game/MainMenu.h"
#include "simulation/City.h"
#include "simulation/House.h"
#include "simulation/Map.h"

#include <SFML/System/Lock.hpp>

#include <algorithm>
#include <cstdlib>
#include "support/ConcurrencyTest.h"

namespace
{

class TickConcurrencyGlTest : public ::testing::Test
{
protected:
    TickConcurrencyGlTest() : game(world.game)
    {
        const double prices[3] = {0.2, 0.4, 1.5};
        for (int kind = 0; kind < 3; ++kind)
            game.goodsPrice[kind] = prices[kind];
        game.unlockFlags = 0x1ff;
        testing::internal::CaptureStdout();
        scripted::buildCity(game, 40, 5, 0.5);
        game.countHousesByLevel();
        game.updateHousingDemand();
        game.city->updateSocialClasses();
        game.centerViewOnTile(20, 20);
    }

    ~TickConcurrencyGlTest() override
    {
        world.finishDay();
        testing::internal::GetCapturedStdout();
    }

    // One frame as the main loop draws it: the map, then the widgets.
    void drawFrame()
    {
        sf::RenderTexture& target = *game.renderTexture;
        game.deltaTime = 1.0f / 60;
        target.clear(game.lightColor);
        target.setView(*game.gameView);
        game.map->draw(target);
        game.updatePlusOnes(game.deltaTime);
        target.setView(*game.uiView);
        game.ui_update();
        target.display();
    }

    // A click at the middle of the screen, through the UI as the main loop sends it.
    void clickMiddle(sf::Mouse::Button button)
    {
        // Dialogs from fires would take the click.
        while (world.dialog())
            world.closeDialog();
        world.clickAt(320, 180, button);
    }

    // Starts building a road on some empty tile beside a road, if any offers it.
    void startARoad()
    {
        sf::Lock lock(game.tileMutex);
        for (Tile& tile : game.map->tiles)
        {
            auto offered = std::find(tile.actions.begin(), tile.actions.end(), 1);
            if (offered != tile.actions.end())
            {
                game.startAction(tile.id, static_cast<int>(offered - tile.actions.begin()), 10);
                return;
            }
        }
    }

    // The running action's id; the tick's fire start changes it.
    int runningAction()
    {
        sf::Lock lock(game.updateMutex);
        return game.action.id;
    }

    // Some house of the city, found as the tile windows find one.
    House* someHouse(int n)
    {
        sf::Lock lock(game.tileMutex);
        const std::vector<Tile*>& houses = game.map->houses;
        return houses.empty() ? nullptr : houses[n % houses.size()]->house();
    }

    fixtures::HudWorld world;
    Game& game;
};

CONCURRENCY_TEST_F(TickConcurrencyGlTest, DaysRunBackToBackWhileThePlayerPlays)
{
    game.ui_showExpenditure();
    game.ui_showCityInfo();
    game.ui_showProduction();
    // Aside, so that the clicks at the middle reach the map.
    for (gui::Window* window : {screens::financeWindow, screens::cityInfoWindow, screens::productionWindow})
        window->setPosition(0, 0);

    const int days = 240;
    int started = 0;
    bool newGame = false;
    bool sawTileWindows = false;
    for (int frame = 0; started < days; ++frame)
    {
        ASSERT_LT(frame, days * 200) << "days stopped passing";
        game.freeFinishedUpdateThread();
        if (game.nextDay() != 0)
            ++started;
        switch (frame % 16)
        {
        case 0:
            if (frame % 64 == 0)
                game.map->rotateLeft();
            break;
        case 1:
            if (frame % 64 == 1)
                game.map->rotateRight();
            break;
        case 2:
            if (runningAction() == 0)
                startARoad();
            break;
        case 3:
        case 4:
            game.progressAction();
            break;
        case 5:
            if (frame % 48 == 5)
                game.cancelAction();
            break;
        case 6:
            if (House* house = someHouse(frame))
                house->changeRent(frame % 32 < 16 ? 1 : -1);
            break;
        case 7:
            game.setGoodsPrice(frame % 3, 0.2 + (frame % 7) * 0.1);
            break;
        case 8:
            if (frame % 32 < 16)
                game.city->takeLoan(1000);
            else
                game.city->repayLoan(1000);
            break;
        case 9:
            game.map->highlightArea(frame % 40, 20, 3);
            break;
        case 10:
            game.map->clearHighlight();
            break;
        case 11:
            game.gameView->move(frame % 32 < 16 ? 8.0f : -8.0f, 4.0f * ((frame / 16) % 3 - 1));
            game.map->updateOnScreenTiles();
            break;
        case 12:
            clickMiddle(sf::Mouse::Right);
            sawTileWindows = sawTileWindows || screens::tileInformationWindow;
            break;
        case 13:
            clickMiddle(sf::Mouse::Left);
            break;
        case 14:
            // The fire brigade's last click.
            if (runningAction() == 17)
            {
                {
                    sf::Lock lock(game.updateMutex);
                    game.action.progress = game.action.clicksNeeded - 1;
                }
                game.progressAction();
            }
            break;
        case 15:
            if (!newGame && started > days * 3 / 4)
            {
                game.startNewGame();
                newGame = true;
            }
            break;
        }
        drawFrame();
    }
    while (game.updateThread)
    {
        game.freeFinishedUpdateThread();
        drawFrame();
    }
    drawFrame();

    EXPECT_TRUE(newGame);
    EXPECT_TRUE(sawTileWindows) << "a right click opens the tile's information";
    EXPECT_EQ(scripted::checkCity(game), "");
    EXPECT_FALSE(game.updateRunning);
}

} // namespace
