#ifndef QUILLFENN_GUI_TEXT_H
#define QUILLFENN_GUI_TEXT_H

#include "gui/Widget.h"

#include <cstdint>
#include <string>
#include <vector>

class Font;

namespace gui
{

// A multi-line label: keeps a UTF-8 text, splits it into lines, measures
// them with its font and draws them aligned in its box. "<" and ">" are
// stored as "{" and "}": a {tag} takes no room and is not drawn.
class Text : public Widget
{
public:
    // Flags of setText.
    enum TextFlags
    {
        WrapText = 1,
        UpperCase = 2
    };

    // Vertical alignments; any other value aligns to the top.
    enum VerticalAlign
    {
        AlignMiddle = 11,
        AlignBottom = 12
    };

    Text();
    Text(Game* game, int left, int top, int w, int h);

    // Stores, wraps, upper-cases, splits and measures a text; the same text again does nothing.
    void setText(const std::string& newText, int flags = 0);

    // Switches the font and lays the text out again with it.
    void setFont(int index);

    // Widest shown line and the height of the shown lines.
    sf::Vector2i getTextSize() const;

    // Measures the lines from first on; autoHeight then takes the text height.
    void measureLines(size_t first);

    // Index of the first line drawn: only the last maxLines lines are shown.
    size_t firstShownLine() const;

    // The font of the text, or null when its index names none.
    Font* getFont() const;

    // Draws the shown lines, then the children.
    void draw(sf::RenderTarget& target, float dt) override;

    // A release inside goes to the base handling; nothing else is taken here.
    bool handleEvent(const sf::Event& event, int& handled) override;

    std::string text;
    std::vector<std::string> lines;
    std::vector<sf::Vector2i> lineSizes;
    int hAlign = 0;
    int vAlign = AlignMiddle;
    uint16_t font = 0;
    bool wordWrap = false;
    bool autoHeight = false;
    int maxLines = 0;
    bool outline = false;

private:
    // Wraps, upper-cases, splits and measures the stored text.
    void layoutText();

    // Draws one line in the colour at the position.
    void drawLine(const Font& textFont, const std::string& line, int lx, int ly,
                  const sf::Color& color, sf::RenderTarget& target) const;

    int textFlags = 0;
};

} // namespace gui

#endif
