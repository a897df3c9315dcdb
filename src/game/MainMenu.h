#ifndef QUILLFENN_GAME_MAINMENU_H
#define QUILLFENN_GAME_MAINMENU_H

class Game;

namespace gui
{
class Button;
class Image;
} // namespace gui

// The title screen, built once on the UI's menu root: the logo, the town
// picture and the buttons that start a game, load one, open the options and quit.
class MainMenu
{
public:
    explicit MainMenu(Game* owner);
    virtual ~MainMenu();

    // Builds the title-screen widgets on the menu root.
    void createWidgets();

    // Re-places the widgets for the current logical screen size.
    void layout();

    // The logical y of the first button's top edge: a window opened over the
    // title screen starts above it, so no edge of a button shows over it.
    int buttonsTop() const;

    Game* game;
    bool shown = false;

    gui::Image* title = nullptr;
    gui::Image* separator = nullptr;
    gui::Image* subtitle = nullptr;
    gui::Image* city = nullptr;
    gui::Button* newGameButton = nullptr;
    gui::Button* loadButton = nullptr;
    gui::Button* optionsButton = nullptr;
    gui::Button* exitButton = nullptr;
};

#endif
