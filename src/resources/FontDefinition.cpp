#include "resources/FontDefinition.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace
{

// Where the reader stands between two lines.
struct ReadState
{
    FontSet* current = nullptr;
    bool currentAppended = false;
    int defaultUnderline = 0;
};

// Drops a set that never reached the definition.
void discardOpenSet(ReadState& state)
{
    if (state.current && !state.currentAppended)
        delete state.current;
    state.current = nullptr;
    state.currentAppended = false;
}

void applyKey(FontSet& set, const std::string& key, const std::string& value)
{
    int number = std::atoi(value.c_str());
    if (key == "characters")
        set.characters = utf8ToWide(value);
    else if (key == "rowHeight")
        set.rowHeight = number;
    else if (key == "lineOffset")
        set.lineOffset = number;
    else if (key == "rowOffset")
        set.rowOffset = number;
    else if (key == "lineSpacing")
        set.lineSpacing = number;
    else if (key == "letterSpacing")
        set.letterSpacing = number;
    else if (key == "rowHeightBitmap")
        set.rowHeightBitmap = number;
    else if (key == "underlinePosition")
        set.underlinePosition = number;
}

} // namespace

FontDefinition::FontDefinition(const std::string& fontName) : name()
{
    std::snprintf(name, sizeof(name), "%s", fontName.c_str());
}

FontDefinition::~FontDefinition()
{
    for (FontSet* set : sets)
        delete set;
}

void FontDefinition::readFile(const std::string& path)
{
    std::ifstream file(path);
    if (file)
        read(file);
}

void FontDefinition::read(std::istream& in)
{
    ReadState state;
    std::string raw;
    while (std::getline(in, raw))
    {
        std::string line;
        for (char c : raw)
            if (c != '\t' && c != '\r')
                line += c;
        if (line.empty() || line.compare(0, 2, "//") == 0)
            continue;

        std::vector<std::string> tokens = splitQuoted(line, ' ');
        std::string key = tokens.empty() ? std::string() : tokens[0];
        std::string value = tokens.size() > 1 ? tokens[1] : std::string();

        if (key == "begin")
        {
            discardOpenSet(state);
            state.current = new FontSet();
            state.current->underlinePosition = state.defaultUnderline;
            continue;
        }
        if (!state.current)
        {
            if (key == "underlinePosition")
                state.defaultUnderline = std::atoi(value.c_str());
            continue;
        }
        if (key == "end")
        {
            // A repeated "end" would hand the same set to the list twice.
            if (!state.currentAppended)
                sets.push_back(state.current);
            state.currentAppended = true;
            continue;
        }
        // Keys after "end" still reach the set already appended.
        applyKey(*state.current, key, value);
    }
    discardOpenSet(state);
}
