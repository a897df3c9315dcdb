#include "game/Game.h"

#include "game/MainMenu.h"
#include "game/Screens.h"
#include "gui/Button.h"
#include "gui/CheckBox.h"
#include "gui/UI.h"
#include "gui/Window.h"
#include "resources/Settings.h"
#include "resources/SoundManager.h"
#include "resources/SpriteManager.h"
#include "resources/Utils.h"

#include <cstdlib>
#include <string>

// The in-game menu, the options window (also opened from the title screen)
// and the about window.

using namespace screens;

namespace
{
const int paletteCount = 8;

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

void Game::ui_showMenu() {}

void Game::ui_showOptions()
{
    if (optionsWindow)
        return;
    playSound("open_window");
    sf::IntRect rect = ui->getCenteredRect(180, 156, UI::PlaceMiddle);
    gui::Window* window = ui->createWindow(rect.left, rect.top, rect.width, rect.height, "Options", 1, 0);
    optionsWindow = window;

    Game* game = this;
    settingCheckBox(this, window, 22, "Full screen", "isFullscreen", [game] { game->recreateWindow = true; });
    settingCheckBox(this, window, 36, "Post-processing", "postProcessing", [game] { game->recreateWindow = true; });
    settingCheckBox(this, window, 50, "Sound effects", "sfxEnabled", [] {});
    settingCheckBox(this, window, 64, "Music", "musicEnabled", [game] {
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

    gui::Button* palette = ui->createButton(12, 84, 100, 16, paletteLabel(settings), 0, 0);
    palette->onClick = [game, palette] {
        int next = (std::atoi(game->settings->get("palette").c_str()) + 1) % paletteCount;
        game->settings->setInt("palette", next);
        game->sprites->reloadTextures();
        palette->setLabel(paletteLabel(game->settings), 0);
    };
    window->addChild(palette);

    gui::Button* random = ui->createButton(12, 104, 100, 16, "Random colours", 0, 0);
    random->onClick = [game] {
        game->sprites->randomizeColors();
        game->sprites->reloadTextures();
    };
    window->addChild(random);

    gui::Button* close = ui->createButton((rect.width - 80) / 2, rect.height - 12, 80, 18, "Close",
                                          hashString("closeWindow"), 2);
    window->addChild(close);
    window->closeCallback = [] { optionsWindow = nullptr; };
    ui->getRoot()->addChild(window);
}

void Game::ui_showAbout() {}
