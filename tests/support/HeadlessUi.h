#ifndef QUILLFENN_TESTS_HEADLESSUI_H
#define QUILLFENN_TESTS_HEADLESSUI_H

// A real UI for a game with no window: block fonts cut from an in-memory
// image and the game root shown. Its draw runs the work other threads posted
// (there is no render target, so nothing is painted). Also the message
// dialogs a test reads back.

#include "Fixtures.h"

#include "game/Game.h"
#include "gui/Text.h"
#include "gui/TitleBar.h"
#include "gui/UI.h"
#include "gui/Window.h"
#include "resources/FontManager.h"
#include "resources/Utils.h"

#include <string>
#include <vector>

namespace fixtures
{

// Gives the game five block fonts and a UI on its game root.
inline void giveHeadlessUi(Game& game)
{
    game.pixelScale = 1;
    game.fonts = new FontManager(&game);
    for (int i = 0; i < 5; ++i)
        game.fonts->fonts.push_back(makeHeadlessBlockFont(&game));
    game.ui = new UI(&game);
    game.ui->gameRoot->setVisible(true);
}

} // namespace fixtures

struct ShownMessage
{
    std::string title; // upper-cased, as the title bar shows it
    std::string text;  // unwrapped
};

namespace fixtures
{

// The open message dialogs on a root, oldest first.
inline std::vector<ShownMessage> shownMessages(gui::Widget* root)
{
    std::vector<ShownMessage> found;
    for (gui::Widget* child : root->children)
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

} // namespace fixtures

#endif
