#include "Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

Canvas::Canvas(int w, int h) :
width(w),
height(h),
pixels(static_cast<size_t>(w * h), Clear)
{
}

Canvas Canvas::fromRows(const std::vector<const char*>& rows)
{
    int w = 0;
    for (const char* row : rows)
        w = std::max(w, static_cast<int>(std::strlen(row)));
    Canvas canvas(w, static_cast<int>(rows.size()));
    for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; rows[static_cast<size_t>(y)][x] != 0; ++x)
        {
            char c = rows[static_cast<size_t>(y)][x];
            canvas.set(x, y, c == '#' ? Black : (c == 'o' ? White : Clear));
        }
    return canvas;
}

Tone Canvas::get(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return Clear;
    return pixels[static_cast<size_t>(y * width + x)];
}

void Canvas::set(int x, int y, Tone tone)
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return;
    pixels[static_cast<size_t>(y * width + x)] = tone;
}

void Canvas::setPattern(int x, int y, Pattern pattern)
{
    set(x, y, patternInks(pattern, x, y) ? Black : White);
}

void Canvas::inkPattern(int x, int y, Pattern pattern)
{
    if (patternInks(pattern, x, y))
        set(x, y, Black);
}

void Canvas::fillRect(int x, int y, int w, int h, Tone tone)
{
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            set(i, j, tone);
}

void Canvas::strokeRect(int x, int y, int w, int h, Tone tone)
{
    fillRect(x, y, w, 1, tone);
    fillRect(x, y + h - 1, w, 1, tone);
    fillRect(x, y, 1, h, tone);
    fillRect(x + w - 1, y, 1, h, tone);
}

void Canvas::line(int x0, int y0, int x1, int y1, Tone tone)
{
    // Bresenham, so diagonal strokes stay one pixel thin.
    int dx = std::abs(x1 - x0);
    int dy = -std::abs(y1 - y0);
    int sx = x0 < x1 ? 1 : -1;
    int sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    for (;;)
    {
        set(x0, y0, tone);
        if (x0 == x1 && y0 == y1)
            break;
        int e2 = 2 * error;
        if (e2 >= dy)
        {
            error += dy;
            x0 += sx;
        }
        if (e2 <= dx)
        {
            error += dx;
            y0 += sy;
        }
    }
}

void Canvas::fillCircle(double cx, double cy, double r, Tone tone)
{
    for (int y = static_cast<int>(std::floor(cy - r)); y <= static_cast<int>(std::ceil(cy + r)); ++y)
        for (int x = static_cast<int>(std::floor(cx - r)); x <= static_cast<int>(std::ceil(cx + r)); ++x)
        {
            double dx = x + 0.5 - cx;
            double dy = y + 0.5 - cy;
            if (dx * dx + dy * dy <= r * r)
                set(x, y, tone);
        }
}

void Canvas::strokeCircle(double cx, double cy, double r, double thickness, Tone tone)
{
    double inner = r - thickness;
    for (int y = static_cast<int>(std::floor(cy - r)); y <= static_cast<int>(std::ceil(cy + r)); ++y)
        for (int x = static_cast<int>(std::floor(cx - r)); x <= static_cast<int>(std::ceil(cx + r)); ++x)
        {
            double dx = x + 0.5 - cx;
            double dy = y + 0.5 - cy;
            double d2 = dx * dx + dy * dy;
            if (d2 <= r * r && d2 > inner * inner)
                set(x, y, tone);
        }
}

void Canvas::blit(const Canvas& source, int x, int y, bool mirror)
{
    for (int j = 0; j < source.height; ++j)
        for (int i = 0; i < source.width; ++i)
        {
            Tone tone = source.get(mirror ? source.width - 1 - i : i, j);
            if (tone != Clear)
                set(x + i, y + j, tone);
        }
}

void Canvas::outline(Tone tone)
{
    Canvas copy = *this;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            if (copy.get(x, y) == Clear)
                continue;
            if (copy.get(x - 1, y) == Clear || copy.get(x + 1, y) == Clear || copy.get(x, y - 1) == Clear
                || copy.get(x, y + 1) == Clear)
                set(x, y, tone);
        }
}

Canvas Canvas::grown(Tone tone) const
{
    Canvas result = *this;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            if (get(x, y) != Clear)
                continue;
            if (get(x - 1, y) != Clear || get(x + 1, y) != Clear || get(x, y - 1) != Clear || get(x, y + 1) != Clear)
                result.set(x, y, tone);
        }
    return result;
}

Canvas Canvas::mirrored() const
{
    Canvas result(width, height);
    result.blit(*this, 0, 0, true);
    return result;
}

sf::Image Canvas::toImage(sf::Color light, sf::Color dark) const
{
    sf::Image image;
    image.create(static_cast<unsigned>(width), static_cast<unsigned>(height), sf::Color::Transparent);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            Tone tone = get(x, y);
            if (tone != Clear)
                image.setPixel(static_cast<unsigned>(x), static_cast<unsigned>(y), tone == White ? light : dark);
        }
    return image;
}
