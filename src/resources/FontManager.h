#ifndef QUILLFENN_RESOURCES_FONTMANAGER_H
#define QUILLFENN_RESOURCES_FONTMANAGER_H

#include <string>
#include <vector>

class Game;
class Font;

// The five bitmap fonts of the game, by the number texts and buttons name them by.
enum FontId
{
    FontNormal = 0,
    FontSmall = 1,
    FontBold = 2,
    FontNumbers = 3, // its colours baked in
    FontMixed = 4
};

// Loads the five fonts, in the order of FontId.
class FontManager
{
public:
    explicit FontManager(Game* owner);
    ~FontManager();
    FontManager(const FontManager&) = delete;
    FontManager& operator=(const FontManager&) = delete;

    // Deletes the fonts held and loads the five fonts again; returns 0.
    int loadFonts();

    // Reads fonts/<name>.dat and fonts/<name>.png into a new font appended to the list.
    void loadFont(const std::string& name, bool keepColours);

    // The font of that number, or null when there is none.
    Font* getFont(int index) const;

    Game* game;
    std::vector<Font*> fonts;

private:
    // Deletes every font.
    void clear();
};

#endif
