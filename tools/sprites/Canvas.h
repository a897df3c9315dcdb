#ifndef QUILLFENN_TOOLS_SPRITES_CANVAS_H
#define QUILLFENN_TOOLS_SPRITES_CANVAS_H

#include "Pattern.h"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Image.hpp>

#include <vector>

// The three values a sprite pixel may hold.
enum Tone : unsigned char
{
    Clear = 0,
    White = 1,
    Black = 2
};

// A two-colour pixel grid with the drawing primitives the sprites are made of.
class Canvas
{
public:
    // An all-clear canvas of the given size.
    Canvas(int w = 0, int h = 0);

    // A canvas drawn from rows of text: '.' clear, 'o' white, '#' black.
    static Canvas fromRows(const std::vector<const char*>& rows);

    // The tone at (x, y); Clear outside the canvas.
    Tone get(int x, int y) const;

    // Sets one pixel; points outside the canvas are ignored.
    void set(int x, int y, Tone tone);

    // Sets one pixel to Black where the pattern inks it, else to White.
    void setPattern(int x, int y, Pattern pattern);

    // Sets one pixel to Black where the pattern inks it and leaves it alone elsewhere.
    void inkPattern(int x, int y, Pattern pattern);

    // Fills the rectangle with one tone.
    void fillRect(int x, int y, int w, int h, Tone tone);

    // A one-pixel rectangle outline.
    void strokeRect(int x, int y, int w, int h, Tone tone);

    // A straight line from (x0, y0) to (x1, y1), both ends included.
    void line(int x0, int y0, int x1, int y1, Tone tone);

    // A filled disc with its centre at (cx, cy) (half-pixel centres allowed).
    void fillCircle(double cx, double cy, double r, Tone tone);

    // A ring of the given thickness around the disc (cx, cy, r).
    void strokeCircle(double cx, double cy, double r, double thickness, Tone tone);

    // Draws another canvas at (x, y); its clear pixels leave this one untouched.
    void blit(const Canvas& source, int x, int y, bool mirror = false);

    // Turns every opaque pixel next to a clear one into the given tone (a 1-pixel rim).
    void outline(Tone tone);

    // Adds a one-pixel border of the given tone around every opaque pixel.
    Canvas grown(Tone tone) const;

    // The canvas flipped left to right.
    Canvas mirrored() const;

    // The canvas converted to an image with White and Black replaced by the two colours.
    sf::Image toImage(sf::Color light = sf::Color::White, sf::Color dark = sf::Color::Black) const;

    int width;
    int height;
    std::vector<Tone> pixels;
};

#endif
