#ifndef QUILLFENN_TOOLS_FONTPREVIEW_H
#define QUILLFENN_TOOLS_FONTPREVIEW_H

#include "FontFace.h"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Rect.hpp>

#include <map>
#include <string>
#include <vector>

// Renders sample texts with the saved font images, cutting the glyphs out of
// each image by its separator colour the way the game does, so the preview
// shows what the game will show.
class FontPreview
{
public:
    FontPreview();

    // Adds a font: reloads its saved image from folder and cuts it.
    bool addFont(const FontFace& face, const std::string& folder);

    // Writes the sheet scaled up by zoom.
    bool save(const std::string& path, unsigned zoom) const;

private:
    struct CutGlyph
    {
        sf::IntRect rect;
        int rowOffset = 0;
        int letterSpacing = 0;
    };

    // Glyph rectangles of one band, found by scanning its top row.
    void cutBand(const sf::Image& image, const FontBand& set, int top, std::map<char, CutGlyph>& glyphs) const;

    // Draws one line at (x, y); returns the pen advance.
    int drawLine(const std::string& text, int x, int y, const sf::Image& image,
                 const std::map<char, CutGlyph>& glyphs, bool keepColours);

    // Line width in pixels.
    int measure(const std::string& text, const std::map<char, CutGlyph>& glyphs) const;

    // Greedy wrap at spaces to maxWidth.
    std::vector<std::string> wrap(const std::string& text, int maxWidth,
                                  const std::map<char, CutGlyph>& glyphs) const;

    // Grows the canvas to hold at least height rows.
    void reserveRows(int height);

    sf::Image canvas;
    int penY = 2;
};

#endif
