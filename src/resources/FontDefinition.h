#ifndef QUILLFENN_RESOURCES_FONTDEFINITION_H
#define QUILLFENN_RESOURCES_FONTDEFINITION_H

#include "resources/Utils.h"

#include <istream>
#include <string>
#include <vector>

// One begin..end block of a font definition: a band of glyphs in the font image.
class FontSet
{
public:
    int rowHeight = 9;
    int rowOffset = 0;
    int lineOffset = 0;
    int letterSpacing = 0;
    int lineSpacing = 0;
    int underlinePosition = 0;
    int rowHeightBitmap = 0;
    WideString characters;
};

// A parsed fonts/<name>.dat file. Owns its sets.
class FontDefinition
{
public:
    explicit FontDefinition(const std::string& fontName);
    ~FontDefinition();
    FontDefinition(const FontDefinition&) = delete;
    FontDefinition& operator=(const FontDefinition&) = delete;

    // Reads a definition file; a file that does not open reads as an empty one.
    void readFile(const std::string& path);

    // Reads definition lines; only sets closed by "end" are kept, in the order of their "end".
    void read(std::istream& in);

    char name[32];
    std::vector<FontSet*> sets;
};

#endif
