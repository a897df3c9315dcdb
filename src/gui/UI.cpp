#include "gui/UI.h"

#include "game/Game.h"
#include "gui/Widget.h"

// PLACEHOLDER implementation.

UI::UI(Game* owner) : owner(owner)
{
    sf::Vector2i size = owner->getLogicalSize();
    gameRoot = new gui::Widget(owner, 0, 0, size.x, size.y);
    menuRoot = new gui::Widget(owner, 0, 0, size.x, size.y);
    gameRoot->visible = false;
    menuRoot->visible = false;
}

UI::~UI()
{
    delete gameRoot;
    delete menuRoot;
}

void UI::onResize() {}
gui::Widget* UI::getRoot() { return gameRoot; }
gui::Widget* UI::getWidgetAt(int, int) { return nullptr; }
bool UI::handleEvent(const sf::Event&) { return true; }
void UI::draw() {}
gui::Window* UI::showMessage(const std::string&, const std::string&, bool) { return nullptr; }
void UI::post(std::function<void()> task) { task(); }
