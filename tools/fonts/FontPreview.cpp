#include "FontPreview.h"

#include "FaceBuilder.h"

#include <cstdio>

namespace
{

const sf::Color paper(232, 206, 168);
const sf::Color ink(70, 62, 108);
const unsigned sheetWidth = 400;

const char* const samples[] = {
    "The quick brown fox jumps over the lazy dog. 0123456789",
    "Welcome! This is your city. Build it as you see fit, but remember you can only place buildings next to "
    "roads.",
    "City expenditure & finances",
    "Your city doesn't have enough budget for this.",
    "Showing housing population, filled jobs and number of shoppers",
    "30/12 Y1    -1250    25000    Il1| O0o    Build landfill area",
};

} // namespace

FontPreview::FontPreview()
{
    canvas.create(sheetWidth, 4, paper);
}

void FontPreview::reserveRows(int height)
{
    if (static_cast<int>(canvas.getSize().y) >= height)
        return;
    sf::Image grown;
    grown.create(sheetWidth, height, paper);
    grown.copy(canvas, 0, 0);
    canvas = grown;
}

void FontPreview::cutBand(const sf::Image& image, const FontBand& set, int top,
                          std::map<char, CutGlyph>& glyphs) const
{
    const int width = static_cast<int>(image.getSize().x);
    const sf::Color separator = image.getPixel(0, 0);
    int left = 0;
    bool inGap = false;
    for (char c : set.characters)
    {
        int x = left + 1;
        for (; x < width; ++x)
        {
            bool isSeparator = image.getPixel(x, top) == separator;
            if (!inGap && (isSeparator || x == width - 1))
                break;
            if (inGap && !isSeparator)
            {
                left = x - 1;
                inGap = false;
            }
        }
        if (x >= width)
            continue;
        CutGlyph glyph;
        glyph.rect = sf::IntRect(left + 1, top, x - left - 1, set.bandHeight);
        glyph.rowOffset = set.rowOffset;
        glyph.letterSpacing = set.letterSpacing;
        glyphs[c] = glyph;
        left = x;
        inGap = x + 1 < width && image.getPixel(x + 1, top) == separator;
    }
}

int FontPreview::measure(const std::string& text, const std::map<char, CutGlyph>& glyphs) const
{
    int width = 0;
    for (char c : text)
    {
        auto it = glyphs.find(c);
        if (it != glyphs.end())
            width += it->second.rect.width + it->second.letterSpacing;
    }
    return width;
}

std::vector<std::string> FontPreview::wrap(const std::string& text, int maxWidth,
                                           const std::map<char, CutGlyph>& glyphs) const
{
    std::vector<std::string> lines(1);
    std::string word;
    for (size_t i = 0; i <= text.size(); ++i)
    {
        if (i < text.size() && text[i] != ' ')
        {
            word.push_back(text[i]);
            continue;
        }
        std::string candidate = lines.back().empty() ? word : lines.back() + " " + word;
        if (!lines.back().empty() && measure(candidate, glyphs) > maxWidth)
            lines.push_back(word);
        else
            lines.back() = candidate;
        word.clear();
    }
    return lines;
}

int FontPreview::drawLine(const std::string& text, int x, int y, const sf::Image& image,
                          const std::map<char, CutGlyph>& glyphs, bool keepColours)
{
    int pen = 0;
    for (char c : text)
    {
        auto it = glyphs.find(c);
        if (it == glyphs.end())
            continue;
        const CutGlyph& glyph = it->second;
        for (int gy = 0; gy < glyph.rect.height; ++gy)
        {
            for (int gx = 0; gx < glyph.rect.width; ++gx)
            {
                sf::Color pixel = image.getPixel(glyph.rect.left + gx, glyph.rect.top + gy);
                int cx = x + pen + gx;
                int cy = y + glyph.rowOffset + gy;
                if (pixel.a == 0 || cx < 0 || cy < 0 || cx >= static_cast<int>(canvas.getSize().x) ||
                    cy >= static_cast<int>(canvas.getSize().y))
                    continue;
                if (keepColours)
                    pixel = pixel == sf::Color::White ? paper : pixel == sf::Color::Black ? ink : pixel;
                else
                    pixel = ink;
                canvas.setPixel(cx, cy, pixel);
            }
        }
        pen += glyph.rect.width + glyph.letterSpacing;
    }
    return pen;
}

bool FontPreview::addFont(const FontFace& face, const std::string& folder)
{
    sf::Image image;
    if (!image.loadFromFile(folder + "/" + face.name + ".png"))
        return false;
    std::map<char, CutGlyph> glyphs;
    int top = 0;
    for (const FontBand& set : face.sets)
    {
        cutBand(image, set, top, glyphs);
        top += set.bandHeight;
    }
    const int step = face.sets[0].rowHeight + face.sets[0].lineSpacing;
    std::vector<std::string> lines;
    lines.push_back("[" + face.name + "]");
    lines.push_back(FaceBuilder::range(' ', 'O'));
    lines.push_back(FaceBuilder::range('P', '~'));
    for (const char* sample : samples)
        for (const std::string& line : wrap(sample, sheetWidth - 8, glyphs))
            lines.push_back(line);
    std::vector<std::string> dialog = wrap(samples[1], 176, glyphs);
    reserveRows(penY + step * static_cast<int>(lines.size() + dialog.size()) + 12);
    if (face.keepColours)
    {
        // Map labels sit on both colours: show them on dark bands as well.
        for (int y = penY; y < penY + step * static_cast<int>(lines.size()); ++y)
            if ((y - penY) / step % 2 == 1)
                for (unsigned x = 0; x < sheetWidth; ++x)
                    canvas.setPixel(x, y, ink);
    }
    for (const std::string& line : lines)
    {
        drawLine(line, 4, penY, image, glyphs, face.keepColours);
        penY += step;
    }
    // The welcome text as a message dialog wraps it (176 pixels), in a box.
    const int boxTop = penY + 2;
    const int boxHeight = step * static_cast<int>(dialog.size()) + 4;
    for (int x = 2; x <= 182; ++x)
    {
        canvas.setPixel(x, boxTop, ink);
        canvas.setPixel(x, boxTop + boxHeight, ink);
    }
    for (int y = boxTop; y <= boxTop + boxHeight; ++y)
    {
        canvas.setPixel(2, y, ink);
        canvas.setPixel(182, y, ink);
    }
    penY = boxTop + 3;
    for (const std::string& line : dialog)
    {
        drawLine(line, 5, penY, image, glyphs, face.keepColours);
        penY += step;
    }
    penY += 8;
    return true;
}

bool FontPreview::save(const std::string& path, unsigned zoom) const
{
    sf::Image big;
    big.create(canvas.getSize().x * zoom, canvas.getSize().y * zoom);
    for (unsigned y = 0; y < big.getSize().y; ++y)
        for (unsigned x = 0; x < big.getSize().x; ++x)
            big.setPixel(x, y, canvas.getPixel(x / zoom, y / zoom));
    return big.saveToFile(path);
}
