#include "../support/Fixtures.h"

#include "gui/Button.h"
#include "gui/Panel.h"
#include "gui/Text.h"
#include "gui/TitleBar.h"
#include "gui/UI.h"
#include "gui/Widget.h"
#include "gui/Window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

using gui::Widget;

// Records the events it is offered and the handled flag it saw.
class Probe : public Widget
{
public:
    Probe(std::vector<std::string>* into, const std::string& label, bool swallows, int left = 0, int top = 0,
          int w = 10, int h = 10)
        : Widget(nullptr, left, top, w, h), log(into), name(label), takes(swallows)
    {
    }
    ~Probe() override
    {
        if (log)
            log->push_back("~" + name);
    }
    bool handleEvent(const sf::Event& event, int& handled) override
    {
        log->push_back(name + (handled ? "(handled)" : ""));
        bool below = Widget::handleEvent(event, handled);
        return takes || below;
    }

    std::vector<std::string>* log;
    std::string name;
    bool takes;
};

sf::Event keyEvent()
{
    sf::Event event;
    event.type = sf::Event::KeyPressed;
    event.key = sf::Event::KeyEvent();
    return event;
}

TEST(WidgetTest, HitTest)
{
    Widget root(nullptr, 0, 0, 100, 100);
    Widget* a = new Widget(nullptr, 10, 10, 30, 30);
    Widget* b = new Widget(nullptr, 20, 20, 30, 30); // overlaps a, later in the list
    Widget* hidden = new Widget(nullptr, 60, 60, 30, 30);
    Widget* hiddenChild = new Widget(nullptr, 0, 0, 30, 30);
    Widget* outside = new Widget(nullptr, 50, 50, 5, 5); // lies outside its parent a
    root.addChild(a);
    root.addChild(b);
    root.addChild(hidden);
    hidden->addChild(hiddenChild);
    a->addChild(outside);
    hidden->setVisible(false);

    EXPECT_EQ(root.getWidgetAt(5, 5, nullptr), &root);
    EXPECT_EQ(root.getWidgetAt(15, 15, nullptr), a);
    EXPECT_EQ(root.getWidgetAt(25, 25, nullptr), b);      // later child wins
    EXPECT_EQ(root.getWidgetAt(61, 61, nullptr), outside); // child outside its parent
    EXPECT_EQ(root.getWidgetAt(75, 75, nullptr), &root);  // hidden subtree skipped
    EXPECT_EQ(root.getWidgetAt(100, 50, nullptr), nullptr); // the box is half-open
    EXPECT_EQ(root.getWidgetAt(99, 99, nullptr), &root);

    b->setEnabled(false);
    EXPECT_EQ(root.getWidgetAt(25, 25, nullptr), a);
    b->setEnabled(true);

    b->offsetX = 50;
    EXPECT_EQ(b->getAbsolutePosition(), sf::Vector2i(70, 20));
    EXPECT_EQ(outside->getAbsolutePosition(), sf::Vector2i(60, 60));
    EXPECT_EQ(outside->getRoot(), &root);
}

TEST(WidgetTest, EveryVisibleChildIsOfferedTopmostFirst)
{
    std::vector<std::string> log;
    Widget root(nullptr, 0, 0, 100, 100);
    Probe* first = new Probe(&log, "first", true);
    Probe* hidden = new Probe(&log, "hidden", true);
    Probe* second = new Probe(&log, "second", false);
    Probe* third = new Probe(&log, "third", true);
    root.addChild(first);
    root.addChild(hidden);
    root.addChild(second);
    root.addChild(third);
    hidden->setVisible(false);

    int handled = 0;
    EXPECT_TRUE(root.handleEvent(keyEvent(), handled));
    EXPECT_EQ(handled, 1);
    // Two takers, both called; later siblings see the flag set by earlier ones.
    EXPECT_EQ(log, (std::vector<std::string>{"third", "second(handled)", "first(handled)"}));

    log.clear();
    handled = 0;
    third->takes = false;
    first->takes = false;
    EXPECT_FALSE(root.handleEvent(keyEvent(), handled));
    EXPECT_EQ(handled, 0);

    // A hidden root still offers events to its visible children; a disabled one offers none.
    log.clear();
    root.setVisible(false);
    root.handleEvent(keyEvent(), handled);
    EXPECT_EQ(log.size(), 3u);
    log.clear();
    root.setEnabled(false);
    EXPECT_FALSE(root.handleEvent(keyEvent(), handled));
    EXPECT_TRUE(log.empty());
    // The flag is never cleared by the base.
    root.setEnabled(true);
    handled = 1;
    root.handleEvent(keyEvent(), handled);
    EXPECT_EQ(handled, 1);
    log.clear();
}

TEST(WidgetTest, FindChildById)
{
    Widget root(nullptr, 0, 0, 10, 10);
    Widget* a = new Widget(nullptr, 0, 0, 1, 1);
    Widget* b = new Widget(nullptr, 0, 0, 1, 1);
    Widget* deepInA = new Widget(nullptr, 0, 0, 1, 1);
    Widget* deepInB = new Widget(nullptr, 0, 0, 1, 1);
    a->id = 7;
    b->id = 7;
    deepInA->id = 9;
    deepInB->id = 9;
    a->addChild(deepInA);
    b->addChild(deepInB);
    root.addChild(a);
    root.addChild(b);

    EXPECT_EQ(root.findChildById(7, false), b); // later wins
    EXPECT_EQ(root.findChildById(9, false), nullptr);
    EXPECT_EQ(root.findChildById(9, true), deepInB); // last child's subtree first
    EXPECT_EQ(root.findChildById(42, true), nullptr);
    EXPECT_EQ(Widget(nullptr, 0, 0, 1, 1).findChildById(7, true), nullptr);
}

TEST(WidgetTest, ChildListOperations)
{
    std::vector<std::string> log;
    {
        Widget root(nullptr, 0, 0, 10, 10);
        Probe* a = new Probe(&log, "a", false);
        Probe* b = new Probe(&log, "b", false);
        Probe* c = new Probe(&log, "c", false);
        root.addChild(a);
        root.addChild(b);
        root.addChildToBack(c);
        EXPECT_EQ(root.children, (std::vector<Widget*>{c, a, b}));
        EXPECT_EQ(c->parent, &root);

        root.detachChild(a);
        EXPECT_EQ(root.children, (std::vector<Widget*>{c, b}));
        EXPECT_EQ(a->parent, nullptr);
        EXPECT_TRUE(log.empty()); // detached, not deleted

        root.removeChild(b);
        EXPECT_EQ(log, std::vector<std::string>{"~b"});
        root.removeChild(a); // not a child any more: nothing happens
        EXPECT_EQ(log.size(), 1u);

        root.eraseChildAt(0);
        root.eraseChildAt(5);
        EXPECT_TRUE(root.children.empty());
        delete a;
        delete c;
    }
    // The root deletes what it still owns: here nothing.
    EXPECT_EQ(log, (std::vector<std::string>{"~b", "~a", "~c"}));
}

TEST(WidgetTest, EnabledNeedsEveryAncestor)
{
    Widget root(nullptr, 0, 0, 10, 10);
    Widget* middle = new Widget(nullptr, 0, 0, 10, 10);
    Widget* leaf = new Widget(nullptr, 0, 0, 10, 10);
    root.addChild(middle);
    middle->addChild(leaf);
    EXPECT_TRUE(leaf->isEnabled());
    root.setEnabled(false);
    EXPECT_FALSE(leaf->isEnabled());
    root.setEnabled(true);
    middle->setEnabled(false);
    EXPECT_FALSE(leaf->isEnabled());
    EXPECT_TRUE(root.isEnabled());
}

TEST(WidgetTest, VisibilityByTag)
{
    Widget root(nullptr, 0, 0, 10, 10);
    Widget* tagged = new Widget(nullptr, 0, 0, 1, 1);
    Widget* other = new Widget(nullptr, 0, 0, 1, 1);
    tagged->tag = 3;
    root.addChild(tagged);
    root.addChild(other);
    root.setChildrenVisibleByTag(3, false);
    EXPECT_FALSE(tagged->visible);
    EXPECT_TRUE(other->visible);
}

TEST(WidgetTest, RelayoutRefitsOnlyWhenAsked)
{
    fixtures::HeadlessGame world;
    UI ui(&world.game);
    gui::Button* button = ui.createButton(0, 0, 40, 18, "Go", 0, 0);
    gui::Window* window = ui.createWindow(0, 0, 100, 50, "Title", 0, 0);

    button->setWidth(60, false);
    window->setWidth(120, false);
    EXPECT_EQ(button->panel->width, 40);
    EXPECT_EQ(button->label->width, 40);
    EXPECT_EQ(window->panel->width, 100);

    button->setWidth(60, true);
    window->setWidth(120, true);
    EXPECT_EQ(button->panel->width, 60);
    EXPECT_EQ(button->label->width, 60);
    EXPECT_EQ(window->panel->width, 120);
    EXPECT_EQ(window->titleBar->width, 110);

    delete button;
    delete window;
}

} // namespace
