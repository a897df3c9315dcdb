#ifndef QUILLFENN_GUI_PANEL_H
#define QUILLFENN_GUI_PANEL_H

#include "gui/Widget.h"

namespace gui
{

// A framed background: either plain (light fill, dark outline) or cut from a
// nine-slice sheet, with an optional drop shadow and a hover look.
class Panel : public Widget
{
public:
    // Frame kinds for setStyle.
    enum FrameKind
    {
        FramePlain = 0,
        FrameSliced = 1
    };

    // Distance of the drop shadow from the panel, in both directions.
    static constexpr int shadowOffset = 3;

    Panel(Game* game, int left, int top, int w, int h);

    // Chooses the frame kind and, for a sliced frame, its sheet.
    void setStyle(int kind, sf::Sprite* frameSheet);

    // Slice sizes of the frame sheet, which measures (left + middleWidth + right)
    // x (top + middleHeight + bottom): the corners are left/right x top/bottom,
    // the middle strips are middleWidth wide and middleHeight high and are
    // stretched over the panel. paddingX and paddingY are the content inset.
    void setStyleSlices(int left, int top, int right, int bottom, int middleW, int padX,
                        int padY, int middleH);

    // Turns the drop shadow on or off; the shadow sheet is cut like the frame.
    void setShadow(bool on, sf::Sprite* sheet);

    // The sheet drawn instead of the frame sheet while hovered.
    void setHoverSheet(sf::Sprite* sheet);

    // Draws shadow, frame and hover highlight, then the children.
    void draw(sf::RenderTarget& target, float dt) override;

    int frameKind = FramePlain;
    sf::Sprite* frameSheet = nullptr;
    sf::Sprite* shadowSheet = nullptr;
    sf::Sprite* hoverSheet = nullptr;
    bool shadow = false;
    bool hovered = false;
    int sliceLeft = 0;
    int sliceTop = 0;
    int sliceRight = 0;
    int sliceBottom = 0;
    int middleWidth = 0;
    int paddingX = 0;
    int paddingY = 0;
    int middleHeight = 0;

private:
    // True when the sheet has a texture of the size the slices describe.
    bool canSlice(const sf::Sprite* sheet) const;

    // Draws the sheet cut into nine parts over the rectangle.
    void drawSliced(sf::RenderTarget& target, const sf::Sprite& sheet,
                    const sf::IntRect& rect) const;
};

} // namespace gui

#endif
