#include "game/Game.h"

#include "game/MainMenu.h"
#include "game/Screens.h"
#include "gui/Button.h"
#include "gui/CheckBox.h"
#include "gui/Text.h"
#include "gui/UI.h"
#include "gui/Window.h"
#include "resources/Settings.h"
#include "resources/SoundManager.h"
#include "resources/SpriteManager.h"
#include "resources/Utils.h"
#include "simulation/TextTables.h"

#include <cstdlib>
#include <functional>
#include <string>

// The in-game menu, the options window (also opened from the title screen)
// and the about window.

using namespace screens;

namespace
{
const int paletteCount = 8;

const int menuWidth = 140;
const int menuTop = 22;
const int menuStep = 22;
const int menuEntryCount = 7;
const int aboutWidth = 230;

const char* const aboutText =
    "A small city of roads and houses that grows one click at a time. Every tenth click, or the "
    "calendar button, brings a new day; keep the books healthy and the residents will keep coming.\n\n"
    "Every picture, letter and sound in the game was made by its own tools.";

// One button of the in-game menu; no action means it just closes the menu.
struct MenuEntry
{
    const char* label;
    std::function<void()> action;
};

void addMenuButton(Game* game, gui::Window* window, int index, const MenuEntry& entry)
{
    const int x = (menuWidth - 120) / 2;
    const int y = menuTop + menuStep * index;
    if (!entry.action)
    {
        window->addChild(game->ui->createButton(x, y, 120, 18, entry.label, hashString("closeWindow"), FontBold));
        return;
    }
    gui::Button* button = game->ui->createButton(x, y, 120, 18, entry.label, 0, FontBold);
    std::function<void()> action = entry.action;
    button->onClick = [action] {
        closeScreen(menuWindow);
        action();
    };
    window->addChild(button);
}

std::string paletteLabel(const Settings* settings)
{
    return "Palette " + std::to_string(std::atoi(settings->get("palette").c_str()));
}

// A check box bound to a true/false setting; absent keys stay absent, so the
// mark always shows what the store really holds.
gui::CheckBox* settingCheckBox(Game* game, gui::Window* window, int y, const std::string& label,
                               const std::string& key, std::function<void()> changed)
{
    gui::CheckBox* box = game->ui->createCheckBox(12, y, label);
    box->setChecked(game->settings->equals(key, "true"));
    box->onChange = [game, box, key, changed](bool) {
        game->settings->toggle(key);
        box->setChecked(game->settings->equals(key, "true"));
        changed();
    };
    window->addChild(box);
    return box;
}
} // namespace

void Game::ui_showMenu()
{
    if (queuedForMainThread([this] { ui_showMenu(); }))
        return;
    if (menuWindow || !ui)
        return;
    playSound("open_window");
    const int height = menuTop + menuStep * menuEntryCount + 14;
    sf::IntRect rect = ui->getCenteredRect(menuWidth, height, UI::PlaceMiddle);
    gui::Window* popup = ui->createWindow(rect.left, rect.top, rect.width, rect.height, "Menu", 1, 0);
    menuWindow = popup;

    Game* game = this;
    // Each entry but the first leaves the menu for what it opens.
    const MenuEntry entries[menuEntryCount] = {
        {"Back to game", nullptr},
        {"Save game", [game] { game->ui_showSaveSlots(true); }},
        {"Load game", [game] { game->ui_showSaveSlots(false); }},
        {"Options", [game] { game->ui_showOptions(); }},
        {"About", [game] { game->ui_showAbout(); }},
        {"Back to menu", [game] { game->showMainMenu(); }},
        {"Exit", [game] { game->quit(); }},
    };
    for (int i = 0; i < menuEntryCount; ++i)
        addMenuButton(this, popup, i, entries[i]);
    popup->closeCallback = [] { menuWindow = nullptr; };
    addBelowMessages(this, popup);
}

void Game::ui_showOptions()
{
    if (queuedForMainThread([this] { ui_showOptions(); }))
        return;
    if (optionsWindow || !ui)
        return;
    playSound("open_window");
    sf::IntRect rect = ui->getCenteredRect(180, 156, UI::PlaceMiddle);
    gui::Window* popup = ui->createWindow(rect.left, rect.top, rect.width, rect.height, "Options", 1, 0);
    optionsWindow = popup;

    Game* game = this;
    settingCheckBox(this, popup, 22, "Full screen", "isFullscreen", [game] { game->recreateWindow = true; });
    settingCheckBox(this, popup, 36, "Post-processing", "postProcessing", [game] { game->recreateWindow = true; });
    settingCheckBox(this, popup, 50, "Sound effects", "sfxEnabled", [] {});
    settingCheckBox(this, popup, 64, "Music", "musicEnabled", [game] {
        if (!game->settings->equals("musicEnabled", "true"))
            game->sounds->stopAllMusic();
        else if (!game->mainMenu->shown)
            game->sounds->playMusic();
        else if (sf::Music* music = game->sounds->getMusic("music/menu"))
        {
            music->setLoop(true);
            music->play();
        }
    });

    gui::Button* palette = ui->createButton(12, 84, 100, 16, paletteLabel(settings), 0, FontNormal);
    palette->onClick = [game, palette] {
        int next = (std::atoi(game->settings->get("palette").c_str()) + 1) % paletteCount;
        game->settings->setInt("palette", next);
        game->sprites->reloadTextures();
        palette->setLabel(paletteLabel(game->settings), FontNormal);
    };
    popup->addChild(palette);

    gui::Button* random = ui->createButton(12, 104, 100, 16, "Random colours", 0, FontNormal);
    random->onClick = [game] {
        game->sprites->randomizeColors();
        game->sprites->reloadTextures();
    };
    popup->addChild(random);

    gui::Button* close = ui->createButton((rect.width - 80) / 2, rect.height - 12, 80, 18, "Close",
                                          hashString("closeWindow"), FontBold);
    popup->addChild(close);
    popup->closeCallback = [] { optionsWindow = nullptr; };
    ui->getRoot()->addChild(popup);
}

void Game::ui_showAbout()
{
    if (queuedForMainThread([this] { ui_showAbout(); }))
        return;
    if (aboutWindow || !ui)
        return;
    playSound("open_window");
    sf::IntRect rect = ui->getCenteredRect(aboutWidth, 100, UI::PlaceMiddle);
    gui::Window* popup = ui->createWindow(rect.left, rect.top, rect.width, rect.height, "About", 1, 0);
    aboutWindow = popup;

    gui::Text* title = ui->createText(10, 22, aboutWidth - 20, 8, gameTitle, 1, 0);
    title->setFont(FontBold);
    popup->addChild(title);
    gui::Text* lines = ui->createText(12, 36, aboutWidth - 24, 8, "", 0, hashString("aboutText"));
    lines->vAlign = 10;
    lines->autoHeight = true;
    lines->setText(aboutText, gui::Text::WrapText);
    popup->addChild(lines);

    // The window grows to the text, which the font decides.
    rect = ui->getCenteredRect(aboutWidth, lines->y + lines->height + 30, UI::PlaceMiddle);
    popup->setPosition(rect.left, rect.top);
    popup->setHeight(rect.height, true);
    popup->addChild(ui->createButton((aboutWidth - 80) / 2, rect.height - 12, 80, 18, "Close",
                                      hashString("closeWindow"), FontBold));
    popup->closeCallback = [] { aboutWindow = nullptr; };
    ui->getRoot()->addChild(popup);
}
