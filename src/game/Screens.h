#ifndef QUILLFENN_GAME_SCREENS_H
#define QUILLFENN_GAME_SCREENS_H

// What the in-game screens (GameHud.cpp and the Game*Window*.cpp files) share.
// Each window exists at most once: its pointer here is set when it is built
// and cleared by its close handler. The windows the day tick refreshes
// (finance, city information, production) have their pointer and texts
// touched only under their window mutex of Game.

#include "resources/FontManager.h"

#include <string>
#include <vector>

class Game;

namespace sf
{
class Sprite;
}

namespace gui
{
class Button;
class Image;
class Text;
class Window;
} // namespace gui

namespace screens
{

// One step of the construction build rate.
struct BuildRateLevel
{
    double rate; // progress per click once this step is bought
    int cost;    // money paid for the step
};

// The nine steps, rising in rate; the first is where a new game starts.
extern const std::vector<BuildRateLevel> buildRateLevels;

// A day (0 is the first) as the date slot shows it, "01/01 Y1".
std::string formatDate(int day);

// FinanceCategory values in the order of the finance window's rows; empty
// until that window is first built, refilled whole at every build.
extern std::vector<int> expenditureCategoryOrder;

extern gui::Window* tileActionsWindow;
extern gui::Window* tileInformationWindow;
extern gui::Window* menuWindow;
extern gui::Window* optionsWindow;
extern gui::Window* aboutWindow;
extern gui::Window* saveSlotsWindow;
extern gui::Window* financeWindow;
extern gui::Window* cityInfoWindow;
extern gui::Window* productionWindow;

// Heads-up display widgets that the build-title, date-button and
// close-all operations change; null until Game::ui_create built them.
extern gui::Text* buildTitleText;
extern gui::Button* actionProgressButton;
extern gui::Image* actionProgressBar;
extern gui::Button* nextDayButton;
extern gui::Button* cancelActionButton;

// Heads-up display timers, in seconds: the next-day button stays disabled
// while the cool-down runs; a second next-day click inside the tick window
// plays "tock".
extern double nextDayCooldown;
extern double tickWindow;
extern bool tickShown;

// A sprite by name; none without a sprite manager (headless games).
sf::Sprite* spriteOf(Game* game, const char* name);

// A text one line high in a font (a FontId) and alignment
// (0 left, 1 centre, 2 right), added to the window.
gui::Text* addText(Game* game, gui::Window* window, int x, int y, int w, const std::string& text, int align,
                   int font, int id = 0);

// A rule from x 10 to 10 short of the window's right edge. The sprite is
// wider than the window, so only the part inside the frame is drawn.
void addUnderline(Game* game, gui::Window* window, int y, const char* sprite, int windowWidth);

// Closes a window as its Close button would (its close handler runs) and
// clears the pointer.
void closeScreen(gui::Window*& window);

// Adds a window to the game screen beneath any open message dialog: a
// window that opens by itself (the year end's finances) must not hide the
// Okay a message is waiting for.
void addBelowMessages(Game* game, gui::Window* window);

// Forgets the heads-up display's widgets once their UI is gone, so no
// operation reaches a deleted widget.
void forgetHeadsUpDisplay();

// After a map rotation the tile windows follow their tile's contents to
// where they now stand. Called with tileMutex held.
void followTileWindowsAfterRotation(Game* game);

// Places the open information window in the lower left corner, clear of
// the side buttons and of the map's middle.
void placeTileInformationWindow(Game* game);

} // namespace screens

#endif
