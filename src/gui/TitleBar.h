#ifndef QUILLFENN_GUI_TITLEBAR_H
#define QUILLFENN_GUI_TITLEBAR_H

#include "gui/Widget.h"
#include "resources/FontManager.h"

#include <string>

namespace gui
{

// The title strip of a window: sprite caps, a dark band and the title in the light colour.
class TitleBar : public Widget
{
public:
    // Height of every title bar.
    static constexpr int barHeight = 9;

    TitleBar(Game* game, int left, int top, int w);

    // Stores the title, upper-cased when asked.
    void setTitle(const std::string& newTitle, bool upperCase);

    // Draws caps, band and title, then the children.
    void draw(sf::RenderTarget& target, float dt) override;

    std::string title;
    int font = FontSmall;
};

} // namespace gui

#endif
