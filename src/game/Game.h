#ifndef QUILLFENN_GAME_GAME_H
#define QUILLFENN_GAME_GAME_H

#include "simulation/ActionProgress.h"
#include "simulation/PlusOneParticle.h"

#include <SFML/Graphics.hpp>
#include <SFML/System.hpp>

#include <functional>
#include <string>
#include <thread>
#include <vector>

class SpriteManager;
class SoundManager;
class FontManager;
class Map;
class UI;
class MainMenu;
class Settings;
class City;
class Tile;

namespace gui
{
class Window;
}

// The one application object. Every subsystem reads and writes its members;
// its methods are split by concern over files named Game*.cpp:
//   Game.cpp          construction and the narrow calls the simulation uses
//   GameWindow.cpp    start-up, window, views, post-processing, quit
//   GameLoop.cpp      the main loop: a frame (the one file that draws the map)
//   GameInput.cpp     window events, the mouse, dragging the map
//   GameEffects.cpp   screen shake and the "+1" particles
//   GamePicking.cpp   tile picking, camera centring, tile click handlers
//   GameModes.cpp     new game and screen modes
//   GameHud.cpp       heads-up display (ui_create, ui_update, ...)
//   GameTileWindows.cpp         tile actions and tile information windows
//   GameFinanceWindow.cpp       finances and loan
//   GameCityWindow.cpp          city information and build rate
//   GameProductionWindow.cpp    production, demand and prices
//   GameMenuWindows.cpp         in-game menu, options, about
//   GameSaveWindow.cpp          save and load slots
//   simulation/GameActions.cpp  actions, progress clicks, day advance
//   simulation/GameTick.cpp     the day tick, its thread and housing demand
//   simulation/GameSave.cpp     the save file
class Game
{
public:
    Game();
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // --- start-up, window and quit (GameWindow.cpp)

    // Brings the game from its zero state to the title screen.
    void init(int argc, char** argv);

    // (Re)creates the window, the views and the CRT render texture from the settings.
    void createWindow();

    // Re-places every screen after a window size change.
    void relayout();

    // Loads the CRT shader; failure only switches post-processing off.
    void loadShader();

    // Shows the finished frame, through the CRT shader when post-processing is on.
    void presentFrame();

    // Saves the window's finished frame as screenshots/<local time>.png.
    void takeScreenshot();

    // Closes the window and writes conf.dat.
    void quit();

    // --- main loop (GameLoop.cpp)

    // Runs frames until the window closes.
    void run();

    // Measures the last frame in whole milliseconds; long frames keep the old value.
    void updateDeltaTime();

    // Clears the current render target with the light colour.
    void clearRenderTarget();

    // --- input (GameInput.cpp)

    // Polls and routes every pending window event.
    void handleEvents();

    // The mouse position in logical pixels.
    sf::Vector2i getScaledMousePosition() const;

    // Left press: starts a drag of the map unless a widget is under the mouse.
    void onMouseButtonPressed(const sf::Event& event);

    // Left release: a click opens the tile's actions; right release its information.
    void onMouseButtonReleased(const sf::Event& event);

    // Pans the map while dragging.
    void onMouseMoved(const sf::Event& event);


    // --- tile picking and camera (GamePicking.cpp)

    // Tile coordinates under a logical point, read from the "isomap" mask;
    // found tells whether any tile's box held the point at all.
    sf::Vector2i pickTile(int x, int y, bool revealedOnly, bool* found = nullptr);

    // pickTile for a mouse event position, revealed tiles only.
    sf::Vector2i pickClickedTile(const sf::Event& event, bool* found = nullptr);

    // Opens the actions window of the clicked tile when it offers any.
    void openTileActions(const sf::Event& event);

    // Opens the information window of the clicked tile.
    void openTileInformation(const sf::Event& event);

    // Centres the game view on a tile.
    void centerViewOnTile(int tx, int ty);

    // Centres the game view on a world point.
    void centerViewOnPoint(float x, float y);

    // --- screen modes (GameModes.cpp)

    // Shows the title screen with its music.
    void showMainMenu();

    // Shows the game screen and starts the game playlist.
    void enterGameMode();

    // Starts a fresh city.
    void startNewGame();

    // --- actions and days (simulation/GameActions.cpp)

    // Starts the action offered at a slot of a tile, after its cost was paid.
    void startAction(int tileId, int slot, int cost);

    // Points action.tile at the revealed tile with action.tileId.
    void resolveActionTile();

    // A copy of the running action, taken under updateMutex: what the
    // screens read, since a day tick's fire start can change the action.
    ActionProgress currentAction();

    // One progress click.
    void progressAction();

    // Turns the action's tile into its result.
    void completeAction();

    // Stops the running action and refunds its cost.
    void cancelAction();

    // Advances one day; returns 0 when refused, else 1, 3 at a month end, 5 at a year end.
    int nextDay();

    // Counts the houses of each level into housesPerLevel.
    void countHousesByLevel();


    // --- screen shake and "+1" particles (GameEffects.cpp)

    // Starts shaking the game view.
    void startScreenShake(float strength, float decay);

    // Moves the game view around its base while a shake runs.
    void updateScreenShake();

    // A "+1" rising from a tile after a progress click.
    void spawnPlusOne(const Tile& tile);

    // Ages, moves and draws the "+1" particles.
    void updatePlusOnes(float dt);

    // --- the day tick (simulation/GameTick.cpp, simulation/DayTick.cpp)

    // Deletes the thread object of a finished day tick.
    void freeFinishedUpdateThread();

    // One day of the city; runs on the thread nextDay starts.
    void buildingTick();

    // Fills the housing demand of the unlocked house classes.
    void updateHousingDemand();

    // Sets the price of a goods kind, waiting for a running day tick.
    void setGoodsPrice(int kind, double price);

    // --- the save file (simulation/GameSave.cpp)

    // Writes the city to saves/<slot>.sav; true when it was written.
    bool saveGame(int slot);

    // Replaces the city by saves/<slot>.sav; false when the file is missing or refused.
    bool loadGame(int slot);

    // --- heads-up display (GameHud.cpp)

    // Builds the heads-up display on the game root.
    void ui_create();

    // Draws the widgets and refreshes the heads-up display.
    void ui_update();

    // Re-places the heads-up display for a new logical size.
    void ui_updateLayout();

    // Shows the build title and progress controls, or hides them for "".
    void ui_setBuildTitle(const std::string& text);

    // Enables or disables the next-day button.
    void ui_setDateButtonEnabled(bool enabled);

    // Closes every in-game window.
    void ui_closeAllWindows();

    // After a layer change: every map filter on, the option panel of the layer shown.
    void ui_resetOverlayOptions();

    // Sets the population layer's three filters and their check boxes.
    void ui_setPopulationFilter(bool housing, bool shops, bool jobs);

    // --- in-game windows (Game*Window*.cpp)

    // Opens the in-game menu.
    void ui_showMenu();

    // Opens the options window: screen, sound and palette settings.
    void ui_showOptions();

    // Opens the about window.
    void ui_showAbout();

    // Opens the save slots, for saving or for loading.
    void ui_showSaveSlots(bool saving);

    // Opens the finance window, or refreshes it when open.
    void ui_showExpenditure();

    // Writes the books into the open finance window.
    void ui_refreshExpenditure();

    // Opens the city information window.
    void ui_showCityInfo();

    // Writes the numbers into the open city information window.
    void ui_refreshCityInfo();

    // Opens the production and prices window.
    void ui_showProduction();

    // Writes the numbers into the open production window.
    void ui_refreshProduction();

    // Opens the information window of a tile.
    void ui_showTileInformation(Tile* tile);

    // Writes the tile's numbers, as the last day tick left them, into the open information window.
    void ui_refreshTileInformation();

    // Opens the actions window of a tile.
    void ui_showTileActions(Tile* tile);

    // --- services for the other subsystems (Game.cpp)

    // Plays a sound effect (or a music stream) by name; nothing without sound.
    void playSound(const std::string& name);

    // Plays an effect with its own pitch and volume when effects are enabled.
    void playSound(const std::string& name, float pitch, float volume);

    // Opens a message dialog; from another thread it is queued for the next frame.
    gui::Window* showMessage(const std::string& title, const std::string& text, bool yesNo = false);

    // Runs UI work now on the main thread, or queues it for the next frame.
    void runOnMainThread(std::function<void()> task);

    // Off the main thread, queues the task for the next frame and returns
    // true; on it, returns false and runs nothing, so the caller goes on.
    bool queuedForMainThread(std::function<void()> task);

    // True on the thread that created the game.
    bool isMainThread() const;

    // The target frames are drawn into: the render texture with post-processing, else the window.
    sf::RenderTarget* getRenderTarget() const;

    // The render target's size in logical pixels (640 x 360 without a target).
    sf::Vector2i getLogicalSize() const;

    // --- members, in the order of the game's data model

    sf::RenderWindow* window = nullptr;
    sf::View* gameView = nullptr;
    sf::View* uiView = nullptr;
    sf::Clock frameClock;
    float deltaTime = 0.0f;
    SpriteManager* sprites = nullptr;
    SoundManager* sounds = nullptr;
    FontManager* fonts = nullptr;
    Map* map = nullptr;
    UI* ui = nullptr;
    MainMenu* mainMenu = nullptr;
    Settings* settings = nullptr;
    City* city = nullptr;
    sf::Color lightColor;
    sf::Color darkColor;
    ActionProgress action;
    double buildRate = 1.0;
    int pixelScale = 0;
    int day = 1;
    int clicks = 0;
    int actionCost = 0;
    int fireStationDay = 0;
    int policeDay = 0;
    int hospitalDay = 0;
    double housingDemand[4] = {};
    int housesPerLevel[4] = {};
    double goodsDemand[8] = {};
    double goodsProduction[8] = {};
    double goodsIncome[8] = {};
    double goodsPrice[8] = {};
    bool shaking = false;
    float shakeStrength = 0.0f;
    float shakeDecay = 0.0f;
    sf::Vector2f shakeBase;
    std::vector<PlusOneParticle*> plusOnes;
    int unlockFlags = 0;
    int warningFlags = 0;
    int reservedA = 0;
    int reservedB = 0;
    int helpFlags = 0;
    // Threads and locks. The main thread does everything but the day tick,
    // which runs on updateThread (buildingTick); SFML streams music on its own.
    // 1. Lock order, outermost first: tileMutex, then updateMutex, then the
    //    pairs cityInfoWindowMutex -> City::populationMutex and
    //    City::moneyMutex -> financeWindowMutex. productionWindowMutex and
    //    Map::mutex are leaves, taken alone. All are recursive.
    // 2. The tick holds tileMutex from its first step to its last. Main-thread
    //    code that changes what a tick reads or writes, or reads non-atomic
    //    state the tick writes (goods tables, housingDemand, unlockFlags,
    //    warningFlags, housesPerLevel, the service days, a tile's risks and
    //    offered actions, a house's working fields), takes tileMutex first and
    //    so waits at most one tick: new game and loading, rotations, actions
    //    started and completed, rents, prices, loans, the tile clicks.
    //    Exception: what can run under the City money mutex (the finance
    //    window refresh, which City::addMoney calls) never takes tileMutex and
    //    reads only what that mutex guards (books, money, loan, profits).
    // 3. updateMutex guards updateThread, updateRunning, day and action (the
    //    tick's fire start changes action under it). Never take tileMutex
    //    while holding it.
    // 4. Widgets belong to the main thread. The tick's dialogs, sounds, window
    //    refreshes and build title go through runOnMainThread / UI::post;
    //    nothing holds a window mutex while it waits for tileMutex.
    // 5. Per-frame drawing reads only atomics (tile flags, the records' shown
    //    and served counts), what only the main thread writes (a tile's type,
    //    facing and building), constants, money and population under their
    //    City mutexes, and day and action under updateMutex.
    sf::Thread* updateThread = nullptr;
    bool updateRunning = false;
    sf::Mutex updateMutex;
    sf::Mutex financeWindowMutex;
    sf::Mutex cityInfoWindowMutex;
    sf::Mutex productionWindowMutex;
    sf::Mutex tileMutex;
    sf::Vector2i pressPosition;
    bool dragging = false;
    sf::Vector2f pressCenter;
    // Created with the first window: an sf::Shader needs a display, and a
    // headless Game (tests, tools) has none.
    sf::Shader* crtShader = nullptr;
    bool postProcessing = false;
    sf::RenderTexture* renderTexture = nullptr;
    bool recreateWindow = false;

    // F12 was pressed: the frame is captured just before it is shown.
    bool screenshotPending = false;

    // The thread that built the game: the only one allowed to touch widgets.
    std::thread::id mainThread;
};

#endif
