// Answers one question about a screenshot per call, so a game test decodes
// each image once per check instead of once per pixel row:
//   png_probe <file>                        "<width> <height>"
//   png_probe <file> [x y]...               that, then "r g b a" per pair
//   png_probe <file> column <x>             that, then "y r g b a" per row
//   png_probe <file> row <y>                that, then "x r g b a" per column
//   png_probe count <file> <scale> <x> <y> <w> <h> <step> <r> <g> <b>
//       how many opaque pixels of that colour lie on the grid of every
//       step-th logical pixel of the rectangle (logical = window / scale)
//   png_probe same <a> <b> <scale> <x> <y> <w> <h> <step>
//       exit 0 when both images hold the same pixels on that grid, else 1
//   png_probe changed <a> <b> <x> <y> <w> <h> <ystep>
//       how many window pixels of the rectangle differ, every ystep-th row
//   png_probe match <shot> <sprite> <x> <y> <scale> <mirror 0|1> <all|dark>
//                   <light r g b> <dark r g b>
//       the percentage of the sprite's opaque pixels (or its dark ones) that
//       the shot shows in the palette's colours, the sprite drawn at window
//       point (x, y) scaled and, when asked, mirrored
//   png_probe lowest <file> <x> <y0> <y1> <r> <g> <b>
//       the lowest row of column x between y0 and y1 of that colour, or ""
//   png_probe dialog <file> <x> <y0> <y1> <x0> <x1> <run> <r> <g> <b>
//       the lowest such row whose pixels between x0 and x1 hold a run of at
//       least <run> of that colour (a dialog's frame line), or ""

#include <SFML/Graphics/Image.hpp>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{
int number(const char* text)
{
    return std::atoi(text);
}

bool load(sf::Image& image, const char* file)
{
    if (image.loadFromFile(file))
        return true;
    std::fprintf(stderr, "png_probe: cannot read %s\n", file);
    return false;
}

bool inside(const sf::Image& image, int x, int y)
{
    return x >= 0 && y >= 0 && static_cast<unsigned>(x) < image.getSize().x &&
           static_cast<unsigned>(y) < image.getSize().y;
}

bool sameColour(sf::Color a, sf::Color b)
{
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

sf::Color colourAt(char** argv)
{
    return sf::Color(static_cast<sf::Uint8>(number(argv[0])), static_cast<sf::Uint8>(number(argv[1])),
                     static_cast<sf::Uint8>(number(argv[2])));
}

int usage(const char* program)
{
    std::fprintf(stderr, "usage: %s <file> [x y]... | column|row | count | same | changed | match | lowest | dialog\n",
                 program);
    return 2;
}

int count(char** argv)
{
    sf::Image image;
    if (!load(image, argv[0]))
        return 1;
    int scale = number(argv[1]), x = number(argv[2]), y = number(argv[3]);
    int w = number(argv[4]), h = number(argv[5]), step = number(argv[6]);
    sf::Color want = colourAt(argv + 7);
    if (step < 1)
        return 2;
    int n = 0;
    for (int j = y; j < y + h; j += step)
        for (int i = x; i < x + w; i += step)
            if (inside(image, i * scale, j * scale))
            {
                sf::Color c = image.getPixel(static_cast<unsigned>(i * scale), static_cast<unsigned>(j * scale));
                n += sameColour(c, want) && c.a == 255;
            }
    std::printf("%d\n", n);
    return 0;
}

int same(char** argv)
{
    sf::Image a, b;
    if (!load(a, argv[0]) || !load(b, argv[1]))
        return 2;
    if (a.getSize() != b.getSize())
        return 1;
    int scale = number(argv[2]), x = number(argv[3]), y = number(argv[4]);
    int w = number(argv[5]), h = number(argv[6]), step = number(argv[7]);
    if (step < 1)
        return 2;
    for (int j = y; j < y + h; j += step)
        for (int i = x; i < x + w; i += step)
            if (inside(a, i * scale, j * scale) &&
                a.getPixel(static_cast<unsigned>(i * scale), static_cast<unsigned>(j * scale)) !=
                    b.getPixel(static_cast<unsigned>(i * scale), static_cast<unsigned>(j * scale)))
                return 1;
    return 0;
}

int changed(char** argv)
{
    sf::Image a, b;
    if (!load(a, argv[0]) || !load(b, argv[1]))
        return 1;
    int x0 = number(argv[2]), y0 = number(argv[3]), w = number(argv[4]), h = number(argv[5]);
    int ystep = number(argv[6]);
    if (ystep < 1)
        return 2;
    int n = 0;
    for (int y = y0; y < y0 + h; y += ystep)
        for (int x = x0; x < x0 + w; ++x)
            if (inside(a, x, y) && inside(b, x, y) &&
                !sameColour(a.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)),
                            b.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y))))
                ++n;
    std::printf("%d\n", n);
    return 0;
}

int match(char** argv)
{
    sf::Image shot, sprite;
    if (!load(shot, argv[0]) || !load(sprite, argv[1]))
        return 1;
    int x0 = number(argv[2]), y0 = number(argv[3]), scale = number(argv[4]);
    bool mirror = number(argv[5]) != 0;
    bool darkOnly = std::string(argv[6]) == "dark";
    sf::Color light = colourAt(argv + 7), dark = colourAt(argv + 10);
    int w = static_cast<int>(sprite.getSize().x), h = static_cast<int>(sprite.getSize().y);
    int n = 0, matching = 0;
    for (int sy = 0; sy < h; ++sy)
        for (int sx = 0; sx < w; ++sx)
        {
            sf::Color s = sprite.getPixel(static_cast<unsigned>(sx), static_cast<unsigned>(sy));
            if (s.a != 255 || (darkOnly && s.r != 0))
                continue;
            ++n;
            int x = x0 + scale * (mirror ? w - 1 - sx : sx), y = y0 + scale * sy;
            matching += inside(shot, x, y) &&
                        sameColour(shot.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)),
                                   s.r == 255 ? light : dark);
        }
    std::printf("%d\n", n ? 100 * matching / n : 0);
    return 0;
}

// The lowest row of column x in [y0, y1] of the colour, at or above `below`.
int lowestRow(const sf::Image& image, int x, int y0, int y1, sf::Color want)
{
    for (int y = y1; y >= y0; --y)
        if (inside(image, x, y) && sameColour(image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)), want))
            return y;
    return -1;
}

int lowest(char** argv)
{
    sf::Image image;
    if (!load(image, argv[0]))
        return 1;
    int y = lowestRow(image, number(argv[1]), number(argv[2]), number(argv[3]), colourAt(argv + 4));
    if (y >= 0)
        std::printf("%d\n", y);
    return 0;
}

int dialog(char** argv)
{
    sf::Image image;
    if (!load(image, argv[0]))
        return 1;
    int x = number(argv[1]), y0 = number(argv[2]), y1 = number(argv[3]);
    int x0 = number(argv[4]), x1 = number(argv[5]), run = number(argv[6]);
    sf::Color want = colourAt(argv + 7);
    for (int y = lowestRow(image, x, y0, y1, want); y >= 0; y = lowestRow(image, x, y0, y - 1, want))
    {
        int current = 0, best = 0;
        for (int i = x0; i <= x1; ++i)
        {
            bool hit = inside(image, i, y) &&
                       sameColour(image.getPixel(static_cast<unsigned>(i), static_cast<unsigned>(y)), want);
            current = hit ? current + 1 : 0;
            best = current > best ? current : best;
        }
        if (best >= run)
        {
            std::printf("%d\n", y);
            return 0;
        }
    }
    return 0;
}

int dump(int argc, char** argv)
{
    bool column = argc == 4 && std::string(argv[2]) == "column";
    bool row = argc == 4 && std::string(argv[2]) == "row";
    if (argc % 2 != 0 && !column && !row)
        return usage(argv[0]);
    sf::Image image;
    if (!image.loadFromFile(argv[1]))
        return 1;
    sf::Vector2u size = image.getSize();
    std::printf("%u %u\n", size.x, size.y);
    if (column || row)
    {
        unsigned fixed = static_cast<unsigned>(number(argv[3]));
        unsigned length = column ? size.y : size.x;
        for (unsigned i = 0; (column ? fixed < size.x : fixed < size.y) && i < length; ++i)
        {
            sf::Color c = column ? image.getPixel(fixed, i) : image.getPixel(i, fixed);
            std::printf("%u %d %d %d %d\n", i, c.r, c.g, c.b, c.a);
        }
        return 0;
    }
    for (int i = 2; i + 1 < argc; i += 2)
    {
        int x = number(argv[i]), y = number(argv[i + 1]);
        if (!inside(image, x, y))
        {
            std::printf("outside\n");
            continue;
        }
        sf::Color c = image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y));
        std::printf("%d %d %d %d\n", c.r, c.g, c.b, c.a);
    }
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return usage(argv[0]);
    std::string question = argv[1];
    struct Question
    {
        const char* name;
        int arguments;
        int (*answer)(char**);
    };
    const Question questions[] = {{"count", 10, count}, {"same", 8, same},     {"changed", 7, changed},
                                  {"match", 13, match}, {"lowest", 7, lowest}, {"dialog", 10, dialog}};
    for (const Question& q : questions)
        if (question == q.name)
        {
            if (argc != q.arguments + 2)
                return usage(argv[0]);
            return q.answer(argv + 2);
        }
    return dump(argc, argv);
}
