#ifndef QUILLFENN_GUI_SHAPES_H
#define QUILLFENN_GUI_SHAPES_H

#include <SFML/Graphics.hpp>

// Flat shapes in logical pixels shared by the widgets and the UI frame.
namespace gui
{

// Fills the rectangle.
void fillRect(sf::RenderTarget& target, const sf::IntRect& rect, const sf::Color& color);

// A one-pixel outline drawn inside the rectangle's edge.
void outlineRect(sf::RenderTarget& target, const sf::IntRect& rect, const sf::Color& color);

// Every other pixel of the rectangle, in a checkerboard fixed to the screen:
// fades what lies below while keeping to the palette's two colours.
void ditherRect(sf::RenderTarget& target, const sf::IntRect& rect, const sf::Color& color);

} // namespace gui

#endif
