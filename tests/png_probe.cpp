// Prints an image's size and, for each x,y pair given, the pixel there:
//   png_probe <file> [x y]...   ->   "<width> <height>" then "r g b a" per pair
//   png_probe <file> column <x> ->   "<width> <height>" then "y r g b a" per row
//   png_probe <file> row <y>    ->   "<width> <height>" then "x r g b a" per column
// The game tests use it to check screenshots without other image tools.

#include <SFML/Graphics/Image.hpp>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    bool column = argc == 4 && std::string(argv[2]) == "column";
    bool row = argc == 4 && std::string(argv[2]) == "row";
    if (argc < 2 || (argc % 2 != 0 && !column && !row))
    {
        std::fprintf(stderr, "usage: %s <file> [x y]...\n", argv[0]);
        return 2;
    }
    sf::Image image;
    if (!image.loadFromFile(argv[1]))
        return 1;
    sf::Vector2u size = image.getSize();
    std::printf("%u %u\n", size.x, size.y);
    if (column)
    {
        unsigned x = static_cast<unsigned>(std::atoi(argv[3]));
        for (unsigned y = 0; x < size.x && y < size.y; ++y)
        {
            sf::Color c = image.getPixel(x, y);
            std::printf("%u %d %d %d %d\n", y, c.r, c.g, c.b, c.a);
        }
        return 0;
    }
    if (row)
    {
        unsigned y = static_cast<unsigned>(std::atoi(argv[3]));
        for (unsigned x = 0; y < size.y && x < size.x; ++x)
        {
            sf::Color c = image.getPixel(x, y);
            std::printf("%u %d %d %d %d\n", x, c.r, c.g, c.b, c.a);
        }
        return 0;
    }
    for (int i = 2; i + 1 < argc; i += 2)
    {
        unsigned x = static_cast<unsigned>(std::atoi(argv[i]));
        unsigned y = static_cast<unsigned>(std::atoi(argv[i + 1]));
        if (x >= size.x || y >= size.y)
        {
            std::printf("outside\n");
            continue;
        }
        sf::Color c = image.getPixel(x, y);
        std::printf("%d %d %d %d\n", c.r, c.g, c.b, c.a);
    }
    return 0;
}
