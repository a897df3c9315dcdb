#ifndef QUILLFENN_GAME_MAINMENU_H
#define QUILLFENN_GAME_MAINMENU_H

class Game;

// The title screen, built once on the UI's menu root.
// PLACEHOLDER: only the shown flag and the layout hook for now.
class MainMenu
{
public:
    explicit MainMenu(Game* game);
    virtual ~MainMenu();

    // Builds the title-screen widgets.
    void createWidgets();

    // Re-places the widgets for the current logical screen size.
    void layout();

    Game* game;
    bool shown = false;
};

#endif
