#ifndef QUILLFENN_TESTS_SAVEFIXTURE_H
#define QUILLFENN_TESTS_SAVEFIXTURE_H

// A headless game that can save and load: the simulation fixture plus a UI
// with block fonts, a title screen and a silent sound manager, with its base
// folder in a temporary directory.

#include "../support/Fixtures.h"
#include "../support/HeadlessUi.h"
#include "SimFixture.h"

#include "game/MainMenu.h"
#include "gui/Text.h"
#include "gui/TitleBar.h"
#include "gui/UI.h"
#include "gui/Window.h"
#include "resources/Font.h"
#include "resources/FontManager.h"
#include "resources/SoundManager.h"
#include "resources/Utils.h"

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

class SaveTest : public SimTest
{
protected:
    void SetUp() override
    {
        setBasePath(dir.path);
        fixtures::giveHeadlessUi(game);
        game.sounds = new SoundManager(&game);
        game.mainMenu = new MainMenu(&game);
    }

    void TearDown() override
    {
        finishDay(game);
        // The screens' window pointers outlive this UI: leave none dangling.
        game.ui_closeAllWindows();
        delete game.mainMenu;
        game.mainMenu = nullptr;
        freeGameParts(game);
        setBasePath("");
    }

    std::string savePath(int slot) const { return dir.path + "saves/" + std::to_string(slot) + ".sav"; }

    // A slot file's text, "" when it does not exist.
    std::string slotText(int slot) const
    {
        std::ifstream in(savePath(slot), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    void writeSlot(int slot, const std::string& text) const
    {
        dir.write("saves/" + std::to_string(slot) + ".sav", text);
    }

    // The open message dialogs on the current root, oldest first.
    std::vector<ShownMessage> messages() { return fixtures::shownMessages(game.ui->getRoot()); }

    fixtures::TempDir dir;
};

#endif
