#include "gui/Text.h"

#include "game/Game.h"
#include "resources/Font.h"
#include "resources/FontManager.h"
#include "resources/Utils.h"

#include <algorithm>

namespace gui
{

namespace
{

// The line without its {tags}; an opening brace that nothing closes stays.
std::string stripTags(const std::string& line)
{
    std::string out;
    size_t i = 0;
    while (i < line.size())
    {
        size_t close = line[i] == '{' ? line.find('}', i) : std::string::npos;
        if (close != std::string::npos)
        {
            i = close + 1;
            continue;
        }
        out += line[i++];
    }
    return out;
}

// Half of v rounded up: a centred line leans right by the odd pixel.
int ceilHalf(int v)
{
    return v >= 0 ? (v + 1) / 2 : -(-v / 2);
}

} // namespace

Text::Text()
{
    type = TypeText;
}

Text::Text(Game* game, int left, int top, int w, int h) : Widget(game, left, top, w, h)
{
    type = TypeText;
}

void Text::setText(const std::string& newText, int flags)
{
    std::string stored = replaceAll(replaceAll(newText, "<", "{"), ">", "}");
    if (stored == text && flags == textFlags)
        return;
    text = stored;
    textFlags = flags;
    layoutText();
}

void Text::setFont(int index)
{
    font = static_cast<uint16_t>(index);
    layoutText();
}

void Text::layoutText()
{
    std::string shown = text;
    Font* textFont = getFont();
    if (textFont && ((textFlags & WrapText) || wordWrap))
        shown = textFont->wordWrap(shown, width);
    if (textFlags & UpperCase)
        shown = Font::toUpper(shown);
    lines = split(shown, '\n');
    measureLines(0);
}

sf::Vector2i Text::getTextSize() const
{
    int widest = 0;
    for (size_t i = firstShownLine(); i < lineSizes.size(); ++i)
        widest = std::max(widest, lineSizes[i].x);
    Font* textFont = getFont();
    int rowHeight = textFont ? textFont->getRowHeight() : 0;
    int shownLines = static_cast<int>(lines.size() - firstShownLine());
    return sf::Vector2i(widest, shownLines * rowHeight);
}

void Text::measureLines(size_t first)
{
    lineSizes.resize(std::min(first, lineSizes.size()));
    Font* textFont = getFont();
    for (size_t i = lineSizes.size(); i < lines.size(); ++i)
        lineSizes.push_back(textFont ? textFont->measureText(lines[i]) : sf::Vector2i());
    if (autoHeight)
        height = getTextSize().y;
}

size_t Text::firstShownLine() const
{
    if (maxLines > 0 && lines.size() > static_cast<size_t>(maxLines))
        return lines.size() - static_cast<size_t>(maxLines);
    return 0;
}

Font* Text::getFont() const
{
    if (!owner || !owner->fonts)
        return nullptr;
    return owner->fonts->getFont(font);
}

void Text::draw(sf::RenderTarget& target, float dt)
{
    if (!visible)
        return;
    Font* textFont = getFont();
    if (textFont && textFont->sprite)
    {
        size_t first = firstShownLine();
        int shown = static_cast<int>(lines.size() - first);
        int rowHeight = textFont->getRowHeight();
        int step = rowHeight + textFont->getLineSpacing();
        int blockHeight = shown > 0 ? shown * rowHeight + (shown - 1) * textFont->getLineSpacing() : 0;

        sf::Vector2i position = getAbsolutePosition();
        int top = position.y;
        if (vAlign == AlignMiddle)
            top += (height - blockHeight) / 2;
        else if (vAlign == AlignBottom)
            top += height - blockHeight;

        for (size_t i = first; i < lines.size(); ++i)
        {
            int lineWidth = i < lineSizes.size() ? lineSizes[i].x : 0;
            int left = position.x;
            if (hAlign == 1)
                left += ceilHalf(width - lineWidth);
            else if (hAlign == 2)
                left += width - lineWidth;
            int lineTop = top + static_cast<int>(i - first) * step;
            std::string line = stripTags(lines[i]);
            // Fonts with baked colours keep them; the others take the palette's colours.
            sf::Color ink = textFont->keepColours ? sf::Color::White : owner->darkColor;
            if (outline)
            {
                for (const sf::Vector2i& d : {sf::Vector2i(-1, 0), sf::Vector2i(1, 0),
                                              sf::Vector2i(0, -1), sf::Vector2i(0, 1)})
                    drawLine(*textFont, line, left + d.x, lineTop + d.y, owner->darkColor, target);
                ink = textFont->keepColours ? sf::Color::White : owner->lightColor;
            }
            drawLine(*textFont, line, left, lineTop, ink, target);
        }
        textFont->sprite->setColor(textFont->keepColours ? sf::Color::White : textFont->color);
    }
    Widget::draw(target, dt);
}

void Text::drawLine(const Font& textFont, const std::string& line, int lx, int ly,
                    const sf::Color& color, sf::RenderTarget& target) const
{
    textFont.sprite->setColor(color);
    textFont.drawText(line, lx, ly, target);
}

bool Text::handleEvent(const sf::Event& event, int& handled)
{
    if (event.type == sf::Event::MouseButtonReleased && isMouseButtonInside(event))
        return Widget::handleEvent(event, handled);
    return false;
}

} // namespace gui
