#include "gui/Panel.h"

#include "game/Game.h"
#include "gui/Shapes.h"

#include <algorithm>

namespace gui
{

Panel::Panel(Game* game, int left, int top, int w, int h)
    : Widget(game, left, top, w, h)
{
    type = TypePanel;
}

void Panel::setStyle(int kind, sf::Sprite* sheet)
{
    frameKind = kind;
    frameSheet = sheet;
}

void Panel::setStyleSlices(int left, int top, int right, int bottom, int middleW, int padX,
                           int padY, int middleH)
{
    sliceLeft = left;
    sliceTop = top;
    sliceRight = right;
    sliceBottom = bottom;
    middleWidth = middleW;
    paddingX = padX;
    paddingY = padY;
    middleHeight = middleH;
}

void Panel::setShadow(bool on, sf::Sprite* sheet)
{
    shadow = on;
    shadowSheet = sheet;
}

void Panel::setHoverSheet(sf::Sprite* sheet)
{
    hoverSheet = sheet;
}

void Panel::draw(sf::RenderTarget& target, float dt)
{
    if (!visible)
        return;
    sf::Vector2i position = getAbsolutePosition();
    sf::IntRect rect(position.x, position.y, width, height);

    if (shadow && canSlice(shadowSheet))
    {
        sf::IntRect shadowRect(rect.left + shadowOffset, rect.top + shadowOffset, width, height);
        drawSliced(target, *shadowSheet, shadowRect);
    }

    sf::Sprite* sheet = hovered && hoverSheet ? hoverSheet : frameSheet;
    // A missing sheet falls back to the plain frame, so the panel stays readable.
    if (frameKind == FrameSliced && canSlice(sheet))
    {
        drawSliced(target, *sheet, rect);
    }
    else
    {
        fillRect(target, rect, owner->lightColor);
        outlineRect(target, rect, owner->darkColor);
    }

    if (hovered)
    {
        sf::IntRect inner(rect.left + 2, rect.top + 2, width - 4, height - 4);
        outlineRect(target, inner, owner->darkColor);
    }
    Widget::draw(target, dt);
}

bool Panel::canSlice(const sf::Sprite* sheet) const
{
    if (!sheet || !sheet->getTexture())
        return false;
    sf::IntRect area = sheet->getTextureRect();
    return area.width >= sliceLeft + middleWidth + sliceRight &&
           area.height >= sliceTop + middleHeight + sliceBottom && area.width > 0 &&
           area.height > 0;
}

void Panel::drawSliced(sf::RenderTarget& target, const sf::Sprite& sheet,
                       const sf::IntRect& rect) const
{
    sf::IntRect area = sheet.getTextureRect();
    // Source columns and rows of the sheet, destination columns and rows of the panel.
    int left = std::min(sliceLeft, rect.width / 2);
    int right = std::min(sliceRight, rect.width - left);
    int top = std::min(sliceTop, rect.height / 2);
    int bottom = std::min(sliceBottom, rect.height - top);
    const int srcX[4] = {0, sliceLeft, sliceLeft + middleWidth, sliceLeft + middleWidth + sliceRight};
    const int srcY[4] = {0, sliceTop, sliceTop + middleHeight, sliceTop + middleHeight + sliceBottom};
    const int dstX[4] = {0, left, rect.width - right, rect.width};
    const int dstY[4] = {0, top, rect.height - bottom, rect.height};
    // A corner squeezed by a small panel shows its outer part.
    const int srcW[3] = {left, middleWidth, right};
    const int srcH[3] = {top, middleHeight, bottom};
    const int srcStartX[3] = {srcX[0], srcX[1], srcX[3] - right};
    const int srcStartY[3] = {srcY[0], srcY[1], srcY[3] - bottom};

    sf::VertexArray quads(sf::Quads);
    for (int row = 0; row < 3; ++row)
    {
        for (int col = 0; col < 3; ++col)
        {
            float x0 = static_cast<float>(rect.left + dstX[col]);
            float x1 = static_cast<float>(rect.left + dstX[col + 1]);
            float y0 = static_cast<float>(rect.top + dstY[row]);
            float y1 = static_cast<float>(rect.top + dstY[row + 1]);
            if (x1 <= x0 || y1 <= y0 || srcW[col] <= 0 || srcH[row] <= 0)
                continue;
            float u0 = static_cast<float>(area.left + srcStartX[col]);
            float u1 = u0 + static_cast<float>(srcW[col]);
            float v0 = static_cast<float>(area.top + srcStartY[row]);
            float v1 = v0 + static_cast<float>(srcH[row]);
            quads.append(sf::Vertex(sf::Vector2f(x0, y0), sf::Vector2f(u0, v0)));
            quads.append(sf::Vertex(sf::Vector2f(x1, y0), sf::Vector2f(u1, v0)));
            quads.append(sf::Vertex(sf::Vector2f(x1, y1), sf::Vector2f(u1, v1)));
            quads.append(sf::Vertex(sf::Vector2f(x0, y1), sf::Vector2f(u0, v1)));
        }
    }
    sf::RenderStates states;
    states.texture = sheet.getTexture();
    target.draw(quads, states);
}

} // namespace gui
