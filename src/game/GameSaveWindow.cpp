#include "game/Game.h"

#include "game/MainMenu.h"
#include "game/Screens.h"
#include "gui/Button.h"
#include "gui/Text.h"
#include "gui/UI.h"
#include "gui/Window.h"
#include "resources/Platform.h"
#include "resources/Utils.h"
#include "simulation/SaveFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

// The save slots window: slots 1 to 4, each with what it holds and a button
// that saves into it or loads it, and a button that opens the saves folder.

using namespace screens;

namespace
{
const int slotCount = 4;
const int windowWidth = 240;
const int windowHeight = 146;
const int firstRowY = 24;
const int rowStep = 20;
const int titleButtonsMargin = 2;

// The first lines of a save are all its summary needs; they are short.
const size_t headerBytes = 8192;

// What a slot's row says: "Empty", its day and money, or that it is damaged.
std::string slotSummary(int slot, const std::vector<std::string>& files)
{
    std::string name = std::to_string(slot) + ".sav";
    if (std::find(files.begin(), files.end(), name) == files.end())
        return "Empty";
    // Only a regular file is read, and never waited for: a named pipe in the
    // slot's place shows as damaged.
    std::string text;
    platform::readFileStart(getSavesPath() + name, headerBytes, text);
    SaveFile save;
    if (!save.parse(text, true))
        return "Damaged";
    // Dated as the heads-up display dates the game, so the player knows the slot.
    char money[32];
    std::snprintf(money, sizeof(money), "%.0f", std::floor(save.money));
    return screens::formatDate(save.day) + ", money " + money;
}

void addSlotRow(Game* game, gui::Window* window, int slot, bool saving, const std::vector<std::string>& files)
{
    UI* ui = game->ui;
    int y = firstRowY + (slot - 1) * rowStep;
    std::string summary = slotSummary(slot, files);
    window->addChild(ui->createText(12, y, 40, 16, "Slot " + std::to_string(slot), 0, -1));
    std::string infoId = "slotInfo" + std::to_string(slot);
    window->addChild(ui->createText(52, y, 128, 16, summary, 0, hashString(infoId.c_str())));

    std::string buttonId = "slot" + std::to_string(slot);
    gui::Button* button =
        ui->createButton(184, y, 44, 16, saving ? "Save" : "Load", hashString(buttonId.c_str()), FontNormal);
    if (saving)
    {
        button->onClick = [game, slot] {
            closeScreen(saveSlotsWindow);
            game->saveGame(slot);
        };
    }
    else
    {
        // A damaged save stays loadable: trying tells the player what is wrong with it.
        button->setEnabled(summary != "Empty");
        button->onClick = [game, slot] { game->loadGame(slot); };
    }
    window->addChild(button);
}
} // namespace

void Game::ui_showSaveSlots(bool saving)
{
    if (queuedForMainThread([this, saving] { ui_showSaveSlots(saving); }))
        return;
    // Opened again, perhaps for the other purpose: built anew with fresh slots.
    closeScreen(saveSlotsWindow);
    playSound("open_window");
    sf::IntRect rect = ui->getCenteredRect(windowWidth, windowHeight, UI::PlaceMiddle);
    // Over the title screen it covers the buttons whole, the first one's top edge too.
    if (mainMenu && mainMenu->shown)
        rect.top = std::min(rect.top, mainMenu->buttonsTop() - titleButtonsMargin);
    gui::Window* popup =
        ui->createWindow(rect.left, rect.top, rect.width, rect.height, saving ? "Save game" : "Load game", 1, 0);
    saveSlotsWindow = popup;

    std::vector<std::string> files = listFiles(getSavesPath(), "sav");
    for (int slot = 1; slot <= slotCount; ++slot)
        addSlotRow(this, popup, slot, saving, files);

    gui::Button* folder = ui->createButton(12, firstRowY + slotCount * rowStep + 2, 216, 16,
                                           "Open containing folder", hashString("openFolder"), FontNormal);
    folder->onClick = [] {
        // The opener needs the folder to exist, even before the first save.
        std::string path = getSavesPath();
        platform::makeDirectory(path);
        platform::openWithDesktop(path);
    };
    popup->addChild(folder);

    gui::Button* close = ui->createButton((rect.width - 80) / 2, rect.height - 12, 80, 18, "Close",
                                          hashString("closeWindow"), FontBold);
    popup->addChild(close);
    popup->closeCallback = [] { saveSlotsWindow = nullptr; };
    ui->getRoot()->addChild(popup);
}
