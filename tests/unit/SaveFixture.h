#ifndef QUILLFENN_TESTS_SAVEFIXTURE_H
#define QUILLFENN_TESTS_SAVEFIXTURE_H

// A headless game that can save and load: the simulation fixture plus a UI
// with block fonts, a title screen and a silent sound manager, with its base
// folder in a temporary directory.

#include "../support/Fixtures.h"
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

struct ShownMessage
{
    std::string title;
    std::string text;
};

class SaveTest : public SimTest
{
protected:
    void SetUp() override
    {
        game.pixelScale = 1;
        game.fonts = new FontManager(&game);
        for (int i = 0; i < 5; ++i)
            game.fonts->fonts.push_back(fixtures::makeHeadlessBlockFont(&game));
        setBasePath(dir.path);
        game.ui = new UI(&game);
        game.sounds = new SoundManager(&game);
        game.mainMenu = new MainMenu(&game);
        game.ui->gameRoot->setVisible(true);
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
    std::vector<ShownMessage> messages()
    {
        std::vector<ShownMessage> found;
        for (gui::Widget* child : game.ui->getRoot()->children)
        {
            if (child->id != hashString("dlgWnd"))
                continue;
            gui::Window* window = static_cast<gui::Window*>(child);
            ShownMessage message;
            message.title = window->titleBar ? window->titleBar->title : "";
            for (gui::Widget* part : window->children)
                if (part->type == gui::TypeText)
                    message.text = replaceAll(static_cast<gui::Text*>(part)->text, "\n", " ");
            found.push_back(message);
        }
        return found;
    }

    fixtures::TempDir dir;
};

#endif
