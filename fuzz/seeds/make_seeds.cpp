// Builds the seed inputs of the glyph target from a run folder's generated
// fonts: each definition, a NUL byte, then its image as PNG and as BMP
// (uncompressed, so that the fuzzer changes pixels directly). Adds a few
// tiny fonts drawn here.
//
//     make_seeds <run folder> <output folder>

#include <SFML/Graphics.hpp>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace
{

std::string readFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream buffer;
    buffer << file.rdbuf();
    return buffer.str();
}

// The image in the format of the extension, as bytes (SFML 2.5 saves only to files).
std::string encode(const sf::Image& image, const std::string& scratch, const std::string& ext)
{
    std::string path = scratch + "." + ext;
    if (!image.saveToFile(path))
        return std::string();
    std::string bytes = readFile(path);
    std::remove(path.c_str());
    return bytes;
}

bool writeSeed(const std::string& path, const std::string& definition, const std::string& image)
{
    if (image.empty())
        return false;
    std::ofstream out(path, std::ios::binary);
    out << definition << '\0' << image;
    return static_cast<bool>(out);
}

int writeAll(const std::string& out, const std::string& name, const std::string& definition,
             const sf::Image& image)
{
    int written = 0;
    for (const char* ext : {"png", "bmp"})
        written += writeSeed(out + "/" + name + "-" + ext, definition, encode(image, out + "/" + name, ext));
    return written;
}

// A one-band font: 'S' separator, '#' ink, '.' transparent, in the top row.
sf::Image tinyBand(const std::string& row, unsigned height)
{
    sf::Image image;
    image.create(static_cast<unsigned>(row.size()), height, sf::Color::Transparent);
    for (unsigned x = 0; x < row.size(); ++x)
    {
        sf::Color c = row[x] == 'S' ? sf::Color(255, 0, 255) : (row[x] == '#' ? sf::Color::White : sf::Color::Transparent);
        for (unsigned y = 0; y < height; ++y)
            image.setPixel(x, y, y == 0 || row[x] != 'S' ? c : sf::Color::Black);
    }
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        std::fprintf(stderr, "usage: make_seeds <run folder> <output folder>\n");
        return 2;
    }
    const std::string run = argv[1], out = argv[2];
    int written = 0;
    for (const char* name : {"normal", "small", "bold", "numbers", "mixed"})
    {
        std::string base = run + "/fonts/" + name;
        sf::Image image;
        if (!image.loadFromFile(base + ".png"))
        {
            std::fprintf(stderr, "make_seeds: no %s.png\n", base.c_str());
            return 1;
        }
        written += writeAll(out, name, readFile(base + ".dat"), image);
    }
    written += writeAll(out, "tiny", "begin\ncharacters \"a b\"\nrowHeightBitmap 3\nend\n", tinyBand("S#S.#SS##S", 3));
    written += writeAll(out, "tiny-two-sets",
                        "underlinePosition 2\nbegin\ncharacters ab\nrowHeightBitmap 1\nletterSpacing -1\nend\n"
                        "begin\ncharacters {a}\nrowHeightBitmap 2\nrowHeight 4\nend\n",
                        tinyBand("S#SS##S#", 3));
    std::printf("make_seeds: %d seeds in %s\n", written, out.c_str());
    return written > 0 ? 0 : 1;
}
