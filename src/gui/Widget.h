#ifndef QUILLFENN_GUI_WIDGET_H
#define QUILLFENN_GUI_WIDGET_H

#include <SFML/Graphics.hpp>

#include <vector>

class Game;

namespace gui
{

// Class codes held in Widget::type.
enum WidgetType
{
    TypeWidget = 10,
    TypePanel = 11,
    TypeImage = 12,
    TypeButton = 13,
    TypeText = 14,
    TypeWindow = 15,
    TypeTitleBar = 23,
    TypeCheckBox = 24
};

// Base of every on-screen control: a rectangle in logical pixels with owned
// children, drawn in list order and offered input in reverse order.
// The tree belongs to the main thread; other threads go through UI::post.
class Widget
{
public:
    Widget();
    Widget(Game* game, int left, int top, int w, int h);
    virtual ~Widget();
    Widget(const Widget&) = delete;
    Widget& operator=(const Widget&) = delete;

    // Draws the children in index order while visible.
    virtual void draw(sf::RenderTarget& target, float dt);

    // Unused per-frame hook.
    virtual void update(int value);

    // Re-fits the children to the widget's size.
    virtual void layout();

    // Offers the event to every visible child, topmost first; true when one took it.
    virtual bool handleEvent(const sf::Event& event, int& handled);

    // Moves the widget relative to its parent.
    virtual void setPosition(int newX, int newY, bool relayout = false);

    // Sets one coordinate or size; relayout re-fits the children.
    virtual void setX(int value, bool relayout = false);
    virtual void setY(int value, bool relayout = false);
    virtual void setWidth(int value, bool relayout = false);
    virtual void setHeight(int value, bool relayout = false);

    // Shows or hides the widget and its subtree.
    virtual void setVisible(bool value);

    // Enables or disables the widget and its subtree for input.
    virtual void setEnabled(bool value);

    // The topmost visible, enabled widget of this subtree holding the point, else found.
    virtual Widget* getWidgetAt(int px, int py, Widget* found);

    // Appends a child, drawn on top of its siblings.
    virtual void addChild(Widget* child);

    // Shows or hides every direct child with the tag.
    virtual void setChildrenVisibleByTag(int value, bool show);

    // Position plus offsets, added up to the root.
    sf::Vector2i getAbsolutePosition() const;

    // The topmost ancestor.
    Widget* getRoot();

    // The last direct child with the id; recursive searches each subtree before earlier siblings.
    Widget* findChildById(int childId, bool recursive);

    // True when this widget and every ancestor are enabled.
    bool isEnabled() const;

    // Inserts a child at index 0, behind its siblings.
    void addChildToBack(Widget* child);

    // Erases the child from the list and deletes it.
    void removeChild(Widget* child);

    // Erases the entry at the index without deleting it.
    void eraseChildAt(size_t index);

    // Erases the child from the list without deleting it.
    void detachChild(Widget* child);

    // Detaches the widget and hands it to the UI, which deletes it at the next draw.
    void close();

    // True when the point lies in the widget's half-open box.
    bool containsPoint(int px, int py) const;

    // The logical position carried by a mouse event; false for events without one.
    static bool getEventPoint(const sf::Event& event, int pixelScale, sf::Vector2i& point);

    Game* owner = nullptr;
    int id = -1;
    int tag = -1;
    Widget* parent = nullptr;
    std::vector<Widget*> children;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int offsetX = 0;
    int offsetY = 0;
    int type = TypeWidget;
    bool visible = true;
    bool enabled = true;

protected:
    // getEventPoint with the owner's pixel scale.
    bool eventPoint(const sf::Event& event, sf::Vector2i& point) const;

    // True for a press or release of a mouse button inside the widget.
    bool isMouseButtonInside(const sf::Event& event) const;

private:
    // True when the widget is still a direct child.
    bool hasChild(const Widget* child) const;
};

} // namespace gui

#endif
