#ifndef QUILLFENN_GUI_UI_H
#define QUILLFENN_GUI_UI_H

#include "resources/FontManager.h"

#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/Mutex.hpp>
#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Event.hpp>

#include <functional>
#include <string>
#include <vector>

class Game;

namespace gui
{
class Button;
class CheckBox;
class Image;
class Text;
class TitleBar;
class Widget;
class Window;
} // namespace gui

namespace sf
{
class Sprite;
}

// A notification from a widget to the UI.
class WidgetEvent
{
public:
    // Kinds of notification.
    enum Kind
    {
        Click = 1
    };

    int kind = 0;
    gui::Widget* source = nullptr;
};

// The window manager of the widget layer: owns the game and title-screen
// roots, the status line and the widgets waiting for deletion; draws the
// screen frame, status bar, widgets and cursor; routes input; builds
// windows and message dialogs.
//
// The tree belongs to the main thread. Other threads hand their UI work to
// post(); the main thread runs it at the start of the next draw.
class UI
{
public:
    explicit UI(Game* game);
    virtual ~UI();
    UI(const UI&) = delete;
    UI& operator=(const UI&) = delete;

    // Vertical placements of getCenteredRect.
    enum Placement
    {
        PlaceHigh = 10,
        PlaceMiddle = 11,
        PlaceLow = 12
    };

    // Fits both roots and the status line to the logical screen.
    void onResize();

    // The menu root while the title screen is shown, else the game root.
    gui::Widget* getRoot();

    // The topmost visible, enabled widget at the logical point, or null.
    gui::Widget* getWidgetAt(int x, int y);

    // Routes one window event; true when the game may handle it itself.
    bool handleEvent(const sf::Event& event);

    // A w x h rectangle centred across the logical screen, placed vertically by align.
    sf::IntRect getCenteredRect(int w, int h, int align);

    // Runs the posted work, deletes closed widgets and draws the frame, the widgets and the cursor.
    void draw();

    // Draws the cursor sprite with its tip on the mouse position.
    void drawCursor();

    // Queues a detached widget for deletion at the next draw.
    void deleteLater(gui::Widget* widget);

    // Deletes every queued widget with its children.
    void deletePendingWidgets();

    // Notification from a widget, passed on to handleDialogButton.
    void onWidgetEvent(int kind, gui::Widget* widget);

    // Answers and closes the window of a clicked Okay, Close, Yes or No button.
    void handleDialogButton(const WidgetEvent& event);

    // Opens a message dialog on the current root; from another thread it is
    // queued for the main thread and null is returned.
    gui::Window* showMessage(const std::string& title, const std::string& text, bool yesNo);

    // Queues work for the main thread, run in order at the start of the next draw.
    void post(std::function<void()> task);

    // Runs the queued work now, in order; main thread only.
    void runPosted();

    // A window with its background panel and, with a title, its title bar; flag 1 adds a shadow.
    gui::Window* createWindow(int x, int y, int w, int h, const std::string& title, int flags,
                              int id);

    // A framed text button with a shadow and a hover look.
    gui::Button* createButton(int x, int y, int w, int h, const std::string& label, int id,
                              int font);

    // A bare icon button.
    gui::Button* createImageButton(int x, int y, int w, int h, sf::Sprite* sprite, int id);

    // A framed icon button, framed like createButton.
    gui::Button* createBorderedImageButton(int x, int y, int w, int h, sf::Sprite* sprite, int id);

    // A text in the normal font.
    gui::Text* createText(int x, int y, int w, int h, const std::string& text, int hAlign, int id);

    // A title bar at (5, y) across the window, added to it.
    gui::TitleBar* createTitleBar(gui::Window* window, int y, const std::string& title);

    // An image of the sprite.
    gui::Image* createImage(int x, int y, int w, int h, sf::Sprite* sprite, int id);

    // A check box with its label.
    gui::CheckBox* createCheckBox(int x, int y, const std::string& label);

    Game* owner;
    gui::Widget* gameRoot = nullptr;
    gui::Widget* menuRoot = nullptr;
    gui::Text* statusText = nullptr;
    std::vector<gui::Widget*> pendingDelete;
    std::string statusMessage;

    // The widget under the mouse during this draw; buttons show their hover look from it.
    gui::Widget* hovered = nullptr;

    // Last mouse position seen in an event, in logical pixels.
    sf::Vector2i mousePosition;

private:
    // The logical screen size.
    sf::Vector2i screenSize() const;

    // Styles a button's frame like a window's, with shadow and hover sheet.
    void frameButton(gui::Button* button);

    sf::Mutex postMutex;
    std::vector<std::function<void()>> posted;
};

#endif
