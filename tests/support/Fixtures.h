#ifndef QUILLFENN_TESTS_FIXTURES_H
#define QUILLFENN_TESTS_FIXTURES_H

// Small worlds for the widget and resource tests: a temporary base folder,
// settings from text, and a tiny block font cut from an image made here.

#include "GameParts.h"
#include "game/Game.h"
#include "resources/Font.h"
#include "resources/FontDefinition.h"
#include "resources/FontManager.h"
#include "resources/Settings.h"
#include "resources/Utils.h"

#include <SFML/Graphics.hpp>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace fixtures
{

// A folder under /tmp removed with everything in it at the end.
class TempDir
{
public:
    TempDir()
    {
        char pattern[] = "/tmp/quillfenn-test-XXXXXX";
        char* made = mkdtemp(pattern);
        path = made ? std::string(made) + "/" : std::string("/tmp/");
    }
    ~TempDir()
    {
        std::string command = "rm -rf '" + path + "'";
        if (std::system(command.c_str()) != 0)
            std::fprintf(stderr, "could not remove %s\n", path.c_str());
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // Creates the folders of a relative file path.
    void makeParents(const std::string& relative) const
    {
        for (size_t slash = relative.find('/'); slash != std::string::npos;
             slash = relative.find('/', slash + 1))
            mkdir((path + relative.substr(0, slash)).c_str(), 0755);
    }

    // Writes a text file at the relative path.
    void write(const std::string& relative, const std::string& content) const
    {
        makeParents(relative);
        std::ofstream(path + relative, std::ios::binary) << content;
    }

    // Saves an image at the relative path.
    void writeImage(const std::string& relative, const sf::Image& image) const
    {
        makeParents(relative);
        image.saveToFile(path + relative);
    }

    std::string path;
};

// Settings loaded from conf.dat text.
inline Settings* makeSettings(const std::string& content)
{
    TempDir dir;
    dir.write("conf.dat", content);
    Settings* settings = new Settings();
    settings->load(dir.path + "conf.dat");
    return settings;
}

const sf::Color separator(255, 0, 255, 255);

// Block font: every character of blockChars is a 3-pixel block, 'i' is 2
// pixels wide, space is 3 transparent pixels; letter spacing 1, rows 7 high.
// So most units advance 4 pixels, 'i' advances 3.
const char* const blockChars =
    " !$%&'()*+,-./0123456789:;=?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghjklmnopqrstuvwxyz|~";
const int blockRowHeight = 7;

inline std::string blockFontCharacters()
{
    return std::string(blockChars) + "i";
}

// The band image of the block font: glyph pixels opaque white on rows 1..5.
inline sf::Image makeBlockFontImage()
{
    std::string chars = blockFontCharacters();
    int width = 1;
    for (char c : chars)
        width += (c == 'i' ? 2 : 3) + 1;
    sf::Image image;
    image.create(width, blockRowHeight, sf::Color::Transparent);
    int x = 0;
    for (int y = 0; y < blockRowHeight; ++y)
        image.setPixel(0, y, separator);
    for (char c : chars)
    {
        int w = c == 'i' ? 2 : 3;
        for (int gx = 0; gx < w; ++gx)
            for (int y = 1; y <= 5; ++y)
                if (c != ' ')
                    image.setPixel(x + 1 + gx, y, sf::Color::White);
        x += w + 1;
        image.setPixel(x, 0, separator);
    }
    return image;
}

// The definition text of the block font.
inline std::string blockFontDat()
{
    std::string chars = blockFontCharacters();
    // Quotes keep the blank; a quote character inside would end them, and the font has none.
    return "begin\ncharacters \"" + chars + "\"\nrowHeight 7\nrowHeightBitmap 7\nletterSpacing 1\nend\n";
}

// A block font without texture: cut from the in-memory image, usable without a display.
inline Font* makeHeadlessBlockFont(Game* game)
{
    FontDefinition* definition = new FontDefinition("fixture-missing");
    FontSet* set = new FontSet();
    set->characters = utf8ToWide(blockFontCharacters());
    set->rowHeight = blockRowHeight;
    set->rowHeightBitmap = blockRowHeight;
    set->letterSpacing = 1;
    definition->sets.push_back(set);
    Font* font = new Font(game, definition, false);
    font->cutGlyphs(makeBlockFontImage());
    return font;
}

// A game with settings and the five font slots filled with headless block fonts.
class HeadlessGame
{
public:
    explicit HeadlessGame(const std::string& conf = "sfxEnabled=false\nmusicEnabled=false\n")
    {
        game.settings = makeSettings(conf);
        game.pixelScale = 1;
        game.lightColor = sf::Color(232, 206, 168);
        game.darkColor = sf::Color(70, 62, 108);
        game.fonts = new FontManager(&game);
        for (int i = 0; i < 5; ++i)
            game.fonts->fonts.push_back(makeHeadlessBlockFont(&game));
    }
    ~HeadlessGame() { freeGameParts(game); }
    HeadlessGame(const HeadlessGame&) = delete;
    HeadlessGame& operator=(const HeadlessGame&) = delete;

    Game game;
};

// A synthetic mouse button event at a logical point (pixel scale 1).
inline sf::Event mouseButton(sf::Event::EventType type, int x, int y,
                             sf::Mouse::Button button = sf::Mouse::Left)
{
    sf::Event event;
    event.type = type;
    event.mouseButton.button = button;
    event.mouseButton.x = x;
    event.mouseButton.y = y;
    return event;
}

} // namespace fixtures

#endif
