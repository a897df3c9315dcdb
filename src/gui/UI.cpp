#include "gui/UI.h"

#include "game/Game.h"
#include "game/MainMenu.h"
#include "gui/Button.h"
#include "gui/CheckBox.h"
#include "gui/Image.h"
#include "gui/Panel.h"
#include "gui/Shapes.h"
#include "gui/Text.h"
#include "gui/TitleBar.h"
#include "gui/Window.h"
#include "resources/Font.h"
#include "resources/SpriteManager.h"
#include "resources/Utils.h"

#include <SFML/Graphics.hpp>

#include <algorithm>

namespace
{

const char* const frameSheetName = "ui/detailed_window_bordered";
const char* const shadowSheetName = "ui/detailed_window_bordered_shadow";

// Height of the status bar strip at the bottom of the game screen.
const int statusBarHeight = 13;

// Message dialogs: width, wrap width, and the room around the text.
const int dialogWidth = 200;
const int dialogWrapWidth = 176;
const int dialogRoomWithTitle = 51;
const int dialogRoomWithoutTitle = 25;

// A 1-pixel line just outside the rectangle, as a shape's outline is drawn.
void strokeAround(sf::RenderTarget& target, int x, int y, int w, int h, const sf::Color& color)
{
    gui::outlineRect(target, sf::IntRect(x - 1, y - 1, w + 2, h + 2), color);
}

bool isRoutedEvent(sf::Event::EventType type)
{
    switch (type)
    {
    case sf::Event::TextEntered:
    case sf::Event::KeyPressed:
    case sf::Event::KeyReleased:
    case sf::Event::MouseWheelScrolled:
    case sf::Event::MouseButtonPressed:
    case sf::Event::MouseButtonReleased:
    case sf::Event::MouseMoved:
        return true;
    default:
        return false;
    }
}

} // namespace

UI::UI(Game* game) : owner(game), mousePosition(-1, -1)
{
    sf::Vector2i size = screenSize();
    gameRoot = new gui::Widget(game, 0, 0, size.x, size.y);
    menuRoot = new gui::Widget(game, 0, 0, size.x, size.y);
    gameRoot->setVisible(false);
    menuRoot->setVisible(false);
    statusText = createText(4, size.y - 12, size.x - 8, 8, "", 0, 0);
    gameRoot->addChild(statusText);
}

UI::~UI()
{
    deletePendingWidgets();
    delete gameRoot;
    delete menuRoot;
}

sf::Vector2i UI::screenSize() const
{
    return owner->getLogicalSize();
}

void UI::onResize()
{
    sf::Vector2i size = screenSize();
    for (gui::Widget* root : {gameRoot, menuRoot})
    {
        root->setPosition(0, 0);
        root->setWidth(size.x);
        root->setHeight(size.y, true);
    }
    statusText->setPosition(4, size.y - 12);
    statusText->setWidth(size.x - 8);
    statusText->setHeight(8, true);
}

gui::Widget* UI::getRoot()
{
    if (owner->mainMenu && owner->mainMenu->shown)
        return menuRoot;
    return gameRoot;
}

gui::Widget* UI::getWidgetAt(int x, int y)
{
    return getRoot()->getWidgetAt(x, y, nullptr);
}

bool UI::handleEvent(const sf::Event& event)
{
    if (!isRoutedEvent(event.type))
        return true;
    gui::Widget* root = getRoot();
    // Mouse events carry their own position; the cursor may have moved on since.
    sf::Vector2i point;
    if (gui::Widget::getEventPoint(event, owner->pixelScale, point))
        mousePosition = point;
    else
        point = owner->getScaledMousePosition();
    gui::Widget* hoveredWidget = root->getWidgetAt(point.x, point.y, nullptr);
    // Read before the event runs handlers that may close or remove widgets.
    int hoveredType = hoveredWidget ? hoveredWidget->type : 0;

    int handled = 0;
    root->handleEvent(event, handled);

    if (hoveredWidget)
    {
        bool press = event.type == sf::Event::MouseButtonPressed;
        bool release = event.type == sf::Event::MouseButtonReleased;
        if (release && event.mouseButton.button == sf::Mouse::Left)
            owner->dragging = false;
        if ((press || release) && hoveredType != gui::TypeWidget)
            return false;
    }
    return handled == 0;
}

sf::IntRect UI::getCenteredRect(int w, int h, int align)
{
    sf::Vector2i size = screenSize();
    int top = 0;
    if (align == PlaceHigh)
        top = static_cast<int>((size.y - h) * 0.15);
    else if (align == PlaceMiddle)
        top = (size.y - h) / 2;
    else if (align == PlaceLow)
        top = static_cast<int>((size.y - h) * 0.85);
    return sf::IntRect((size.x - w) / 2, top, w, h);
}

void UI::draw()
{
    runPosted();
    deletePendingWidgets();
    statusText->setText(statusMessage);
    sf::RenderTarget* target = owner->getRenderTarget();
    if (!target)
        return;

    sf::Vector2i size = screenSize();
    const int w = size.x;
    const int h = getRoot() == gameRoot ? size.y - statusBarHeight : size.y;
    strokeAround(*target, 1, 1, w - 2, h - 2, owner->lightColor);
    strokeAround(*target, 2, 2, w - 4, h - 4, owner->darkColor);

    if (sf::Sprite* corner = owner->sprites ? owner->sprites->getSprite("ui/corner") : nullptr)
    {
        const float places[4][4] = {
            {1.0f, 1.0f, 1.0f, 1.0f},
            {static_cast<float>(w - 1), 1.0f, -1.0f, 1.0f},
            {1.0f, static_cast<float>(h - 1), 1.0f, -1.0f},
            {static_cast<float>(w - 1), static_cast<float>(h - 1), -1.0f, -1.0f},
        };
        for (const auto& place : places)
        {
            corner->setPosition(place[0], place[1]);
            corner->setScale(place[2], place[3]);
            target->draw(*corner);
        }
        corner->setScale(1.0f, 1.0f);
    }

    gui::fillRect(*target, sf::IntRect(0, h, w, 15), owner->lightColor);
    strokeAround(*target, 2, h + 1, w - 4, 10, owner->darkColor);

    hovered = getWidgetAt(mousePosition.x, mousePosition.y);
    gameRoot->draw(*target, owner->deltaTime);
    menuRoot->draw(*target, owner->deltaTime);
    hovered = nullptr;

    drawCursor();
}

void UI::drawCursor()
{
    sf::RenderTarget* target = owner->getRenderTarget();
    sf::Sprite* cursor = owner->sprites ? owner->sprites->getSprite("cursor") : nullptr;
    if (!target || !cursor)
        return;
    sf::Vector2i mouse = owner->getScaledMousePosition();
    cursor->setPosition(static_cast<float>(mouse.x - 1), static_cast<float>(mouse.y - 1));
    target->draw(*cursor);
}

void UI::deleteLater(gui::Widget* widget)
{
    if (!widget)
        return;
    if (!owner->isMainThread())
    {
        post([this, widget] { deleteLater(widget); });
        return;
    }
    // Closing twice must not delete twice.
    if (std::find(pendingDelete.begin(), pendingDelete.end(), widget) == pendingDelete.end())
        pendingDelete.push_back(widget);
}

void UI::deletePendingWidgets()
{
    std::vector<gui::Widget*> doomed;
    doomed.swap(pendingDelete);
    for (gui::Widget* widget : doomed)
        delete widget;
}

void UI::onWidgetEvent(int kind, gui::Widget* widget)
{
    WidgetEvent event;
    event.kind = kind;
    event.source = widget;
    handleDialogButton(event);
}

void UI::handleDialogButton(const WidgetEvent& event)
{
    if (event.kind != WidgetEvent::Click || !event.source)
        return;
    gui::Widget* parent = event.source->parent;
    if (!parent || parent->type != gui::TypeWindow)
        return;
    gui::Window* window = static_cast<gui::Window*>(parent);
    const int id = event.source->id;
    if (id == hashString("closeWindow"))
    {
        window->answer(gui::Window::AnswerClose);
    }
    else if (id == hashString("yesMsg"))
    {
        window->answer(gui::Window::AnswerYes);
        window->answer(gui::Window::AnswerClose);
    }
    else if (id == hashString("noMsg"))
    {
        window->answer(gui::Window::AnswerNo);
        window->answer(gui::Window::AnswerClose);
    }
    else
    {
        return;
    }
    window->close();
}

gui::Window* UI::showMessage(const std::string& title, const std::string& text, bool yesNo)
{
    if (!owner->isMainThread())
    {
        post([this, title, text, yesNo] { showMessage(title, text, yesNo); });
        return nullptr;
    }
    owner->playSound("open_window");

    const bool titled = !title.empty();
    sf::IntRect rect = getCenteredRect(dialogWidth, 90, PlaceMiddle);
    gui::Window* window = createWindow(rect.left, rect.top, rect.width, rect.height, title, 1,
                                       hashString("dlgWnd"));
    window->yesNo = yesNo;

    gui::Text* message = createText(9, titled ? 20 : 12, dialogWidth - 12, 64, "", 0, -1);
    message->vAlign = 10;
    message->autoHeight = true;
    // Tags are converted first, so the wrap never measures an angle bracket.
    std::string stored = replaceAll(replaceAll(text, "<", "{"), ">", "}");
    Font* font = message->getFont();
    message->setText(font ? font->wordWrap(stored, dialogWrapWidth) : stored);

    int room = titled ? dialogRoomWithTitle : dialogRoomWithoutTitle;
    rect = getCenteredRect(dialogWidth, message->height + room, PlaceMiddle);
    window->setPosition(rect.left, rect.top);
    window->setWidth(rect.width);
    window->setHeight(rect.height, true);

    const int w = window->width;
    const int h = window->height;
    if (yesNo)
    {
        window->addChild(createButton(w / 2 - 60, h - 13, 58, 18, "Yes", hashString("yesMsg"), FontBold));
        window->addChild(createButton(w / 2 + 2, h - 13, 58, 18, "No", hashString("noMsg"), FontBold));
    }
    else
    {
        window->addChild(
            createButton(w / 2 - 50, h - 12, 100, 18, "Okay", hashString("closeWindow"), FontBold));
    }
    window->addChild(message);
    getRoot()->addChild(window);
    return window;
}

void UI::post(std::function<void()> task)
{
    // postMutex is a leaf: it guards only the queue, is never held while a
    // task runs and no other lock is taken under it. Whatever the caller
    // holds (tile, update, window or City mutexes), posting cannot close a
    // cycle with them, so it cannot deadlock.
    sf::Lock lock(postMutex);
    posted.push_back(std::move(task));
}

void UI::runPosted()
{
    std::vector<std::function<void()>> tasks;
    {
        sf::Lock lock(postMutex);
        tasks.swap(posted);
    }
    for (std::function<void()>& task : tasks)
        task();
}

gui::Window* UI::createWindow(int x, int y, int w, int h, const std::string& title, int flags,
                              int id)
{
    gui::Window* window = new gui::Window(owner, x, y, w, h);
    window->id = id;
    sf::Sprite* sheet = owner->sprites ? owner->sprites->getSprite(frameSheetName) : nullptr;
    window->panel->setStyle(gui::Panel::FrameSliced, sheet);
    window->panel->setStyleSlices(9, 9, 9, 9, 1, 9, 9, 1);
    if (flags & 1)
        window->panel->setShadow(
            true, owner->sprites ? owner->sprites->getSprite(shadowSheetName) : nullptr);
    if (!title.empty())
        createTitleBar(window, 5, title);
    window->setTitle(title);
    return window;
}

void UI::frameButton(gui::Button* button)
{
    sf::Sprite* sheet = owner->sprites ? owner->sprites->getSprite(frameSheetName) : nullptr;
    sf::Sprite* shadow = owner->sprites ? owner->sprites->getSprite(shadowSheetName) : nullptr;
    button->panel->setStyle(gui::Panel::FrameSliced, sheet);
    button->panel->setStyleSlices(9, 9, 9, 9, 1, 9, 9, 1);
    button->panel->setShadow(true, shadow);
    button->panel->setHoverSheet(sheet);
}

gui::Button* UI::createButton(int x, int y, int w, int h, const std::string& label, int id,
                              int font)
{
    gui::Button* button = new gui::Button(owner, x, y, w, h, gui::Button::StyleText);
    button->id = id;
    frameButton(button);
    button->setLabel(label, font);
    return button;
}

gui::Button* UI::createImageButton(int x, int y, int w, int h, sf::Sprite* sprite, int id)
{
    gui::Button* button = new gui::Button(owner, x, y, w, h, gui::Button::StyleIcon);
    button->id = id;
    button->setSprite(sprite);
    return button;
}

gui::Button* UI::createBorderedImageButton(int x, int y, int w, int h, sf::Sprite* sprite, int id)
{
    gui::Button* button = new gui::Button(owner, x, y, w, h, gui::Button::StyleFramedIcon);
    button->id = id;
    frameButton(button);
    button->setSprite(sprite);
    return button;
}

gui::Text* UI::createText(int x, int y, int w, int h, const std::string& text, int hAlign, int id)
{
    gui::Text* widget = new gui::Text(owner, x, y, w, h);
    widget->id = id;
    widget->hAlign = hAlign;
    widget->setText(text);
    return widget;
}

gui::TitleBar* UI::createTitleBar(gui::Window* window, int y, const std::string& title)
{
    gui::TitleBar* bar = new gui::TitleBar(owner, 5, y, window->width - 10);
    bar->setTitle(title, true);
    window->addChild(bar);
    window->titleBar = bar;
    return bar;
}

gui::Image* UI::createImage(int x, int y, int w, int h, sf::Sprite* sprite, int id)
{
    gui::Image* image = new gui::Image(owner, x, y, w, h, sprite);
    image->id = id;
    return image;
}

gui::CheckBox* UI::createCheckBox(int x, int y, const std::string& label)
{
    return new gui::CheckBox(owner, x, y, label);
}
