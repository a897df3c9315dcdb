#include "gui/Button.h"

#include "game/Game.h"
#include "gui/Image.h"
#include "gui/Panel.h"
#include "gui/Shapes.h"
#include "gui/Text.h"
#include "gui/UI.h"

namespace gui
{

Button::Button(Game* game, int left, int top, int w, int h, int look)
    : Widget(game, left, top, w, h), style(look)
{
    type = TypeButton;
    if (style != StyleIcon)
    {
        panel = new Panel(game, 0, 0, w, h);
        addChild(panel);
    }
    if (style == StyleText)
    {
        label = new Text(game, 0, 0, w, h);
        label->hAlign = 1;
        addChild(label);
    }
    else
    {
        image = new Image(game, 0, 0, w, h, nullptr);
        image->centered = true;
        addChild(image);
    }
}

void Button::setLabel(const std::string& text, int font)
{
    if (!label)
        return;
    label->setFont(font);
    label->setText(text);
}

void Button::setSprite(sf::Sprite* sprite)
{
    if (image)
        image->sprite = sprite;
}

bool Button::isHovered() const
{
    return owner && owner->ui && owner->ui->hovered == this;
}

void Button::draw(sf::RenderTarget& target, float dt)
{
    if (!visible)
        return;
    bool active = isEnabled();
    bool hover = active && isHovered();
    bool pressed = hover && pressedButton == sf::Mouse::Left;

    int savedX = offsetX;
    int savedY = offsetY;
    if (pressed)
    {
        offsetX += 1;
        offsetY += 1;
    }
    bool savedShadow = false;
    if (panel)
    {
        panel->hovered = hover;
        savedShadow = panel->shadow;
        panel->shadow = savedShadow && !pressed;
    }
    if (image && !panel)
        image->spriteShift = sf::Vector2i(0, hover && !pressed ? -1 : 0);

    Widget::draw(target, dt);

    if (panel)
        panel->shadow = savedShadow;
    offsetX = savedX;
    offsetY = savedY;

    if (!active && disabledLook)
    {
        sf::Vector2i position = getAbsolutePosition();
        ditherRect(target, sf::IntRect(position.x, position.y, width, height), owner->lightColor);
    }
}

void Button::layout()
{
    Widget* parts[] = {panel, label, image};
    for (Widget* part : parts)
    {
        if (!part)
            continue;
        part->setPosition(0, 0);
        part->width = width;
        part->height = height;
    }
    if (label)
        label->measureLines(0);
}

int Button::trackClick(Widget& widget, const sf::Event& event, int& handled, int& pressedButton,
                       bool& taken)
{
    taken = false;
    bool pressEvent = event.type == sf::Event::MouseButtonPressed;
    bool releaseEvent = event.type == sf::Event::MouseButtonReleased;
    if (!pressEvent && !releaseEvent)
        return -1;
    sf::Vector2i point;
    int scale = widget.owner ? widget.owner->pixelScale : 1;
    bool inside = getEventPoint(event, scale, point) && widget.containsPoint(point.x, point.y);
    int button = event.mouseButton.button;
    int clicked = -1;
    if (pressEvent)
    {
        // Something above already took the press: this control stays unarmed.
        if (inside && handled == 0 && widget.isEnabled())
            pressedButton = button;
    }
    else
    {
        if (inside && handled == 0 && pressedButton == button && widget.isEnabled())
            clicked = button;
        if (pressedButton == button)
            pressedButton = -1;
    }
    // A control is solid: presses and releases on it never reach what lies below.
    taken = inside && handled == 0;
    return clicked;
}

bool Button::handleEvent(const sf::Event& event, int& handled)
{
    bool taken = false;
    int clicked = trackClick(*this, event, handled, pressedButton, taken);
    if (clicked == sf::Mouse::Left)
    {
        if (owner)
            owner->playSound("click");
        if (onClick)
            onClick();
        if (owner && owner->ui)
            owner->ui->onWidgetEvent(WidgetEvent::Click, this);
    }
    if (taken)
        handled = 1;
    return taken;
}

Widget* Button::getWidgetAt(int px, int py, Widget* found)
{
    // A disabled button is still found, so a click on it never falls through to the map.
    if (!visible)
        return found;
    return containsPoint(px, py) ? this : found;
}

} // namespace gui
