#include "gui/Shapes.h"

namespace gui
{

namespace
{

void addQuad(sf::VertexArray& quads, float x, float y, float w, float h, const sf::Color& color)
{
    quads.append(sf::Vertex(sf::Vector2f(x, y), color));
    quads.append(sf::Vertex(sf::Vector2f(x + w, y), color));
    quads.append(sf::Vertex(sf::Vector2f(x + w, y + h), color));
    quads.append(sf::Vertex(sf::Vector2f(x, y + h), color));
}

} // namespace

void fillRect(sf::RenderTarget& target, const sf::IntRect& rect, const sf::Color& color)
{
    if (rect.width <= 0 || rect.height <= 0)
        return;
    sf::VertexArray quads(sf::Quads);
    addQuad(quads, static_cast<float>(rect.left), static_cast<float>(rect.top),
            static_cast<float>(rect.width), static_cast<float>(rect.height), color);
    target.draw(quads);
}

void outlineRect(sf::RenderTarget& target, const sf::IntRect& rect, const sf::Color& color)
{
    if (rect.width <= 0 || rect.height <= 0)
        return;
    float x = static_cast<float>(rect.left);
    float y = static_cast<float>(rect.top);
    float w = static_cast<float>(rect.width);
    float h = static_cast<float>(rect.height);
    sf::VertexArray quads(sf::Quads);
    addQuad(quads, x, y, w, 1.0f, color);
    addQuad(quads, x, y + h - 1.0f, w, 1.0f, color);
    if (h > 2.0f)
    {
        addQuad(quads, x, y + 1.0f, 1.0f, h - 2.0f, color);
        addQuad(quads, x + w - 1.0f, y + 1.0f, 1.0f, h - 2.0f, color);
    }
    target.draw(quads);
}

void ditherRect(sf::RenderTarget& target, const sf::IntRect& rect, const sf::Color& color)
{
    sf::VertexArray quads(sf::Quads);
    for (int py = rect.top; py < rect.top + rect.height; ++py)
        for (int px = rect.left; px < rect.left + rect.width; ++px)
            if (((px + py) & 1) == 0)
                addQuad(quads, static_cast<float>(px), static_cast<float>(py), 1.0f, 1.0f, color);
    target.draw(quads);
}

} // namespace gui
