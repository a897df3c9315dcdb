#include "game/Game.h"

#include "game/Screens.h"
#include "gui/UI.h"
#include "gui/Window.h"
#include "simulation/Map.h"

#include <SFML/System/Lock.hpp>

// The heads-up display: money, population, date, the layer and window
// buttons, the build title with its progress controls, the next-day button
// and the option panels of the layers.

using namespace screens;

void Game::ui_create() {}

void Game::ui_update()
{
    ui->draw();
}

void Game::ui_updateLayout()
{
    // Open windows keep their size and are centred again.
    for (gui::Window* window : {tileActionsWindow, tileInformationWindow, menuWindow, optionsWindow, aboutWindow,
                                saveSlotsWindow, financeWindow, cityInfoWindow, productionWindow})
    {
        if (!window)
            continue;
        sf::IntRect rect = ui->getCenteredRect(window->width, window->height, UI::PlaceMiddle);
        window->setPosition(rect.left, rect.top, true);
    }
}

void Game::ui_setBuildTitle(const std::string&) {}

void Game::ui_setDateButtonEnabled(bool) {}

void Game::ui_closeAllWindows()
{
    closeScreen(tileInformationWindow);
    closeScreen(tileActionsWindow);
    closeScreen(menuWindow);
    closeScreen(optionsWindow);
    closeScreen(aboutWindow);
    closeScreen(saveSlotsWindow);
    {
        sf::Lock lock(financeWindowMutex);
        closeScreen(financeWindow);
    }
    {
        sf::Lock lock(cityInfoWindowMutex);
        closeScreen(cityInfoWindow);
    }
    {
        sf::Lock lock(productionWindowMutex);
        closeScreen(productionWindow);
    }
}

void Game::ui_resetOverlayOptions() {}

void Game::ui_setPopulationFilter(bool housing, bool shops, bool jobs)
{
    map->showHouseLabels = housing;
    map->showShopLabels = shops;
    map->showWorkplaceLabels = jobs;
}
