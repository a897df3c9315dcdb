#include "resources/Utils.h"

#include "resources/Platform.h"

#include <cstdio>
#include <sstream>

namespace
{
std::string basePath;
}

int utf8Encode(uint32_t codePoint, char* out)
{
    int length;
    uint8_t leadMark;
    if (codePoint < 0x80)
    {
        out[0] = static_cast<char>(codePoint);
        return 1;
    }
    if (codePoint < 0x800)
    {
        length = 2;
        leadMark = 0xC0;
    }
    else if (codePoint < 0x10000)
    {
        length = 3;
        leadMark = 0xE0;
    }
    else if (codePoint < 0x110000)
    {
        length = 4;
        leadMark = 0xF0;
    }
    else
    {
        codePoint = 0xFFFD;
        length = 3;
        leadMark = 0xE0;
    }
    for (int i = length - 1; i > 0; --i)
    {
        out[i] = static_cast<char>(0x80 | (codePoint & 0x3F));
        codePoint >>= 6;
    }
    out[0] = static_cast<char>(codePoint | leadMark);
    return length;
}

int utf8SequenceLength(const char* lead)
{
    uint8_t b = static_cast<uint8_t>(*lead);
    if (b < 0xC0)
        return 1;
    if (b < 0xE0)
        return 2;
    if (b < 0xF0)
        return 3;
    if (b < 0xF8)
        return 4;
    if (b < 0xFC)
        return 5;
    return 6;
}

uint32_t utf8Decode(const char* sequence, int* length)
{
    static const uint32_t offsets[6] = {0x00000000u, 0x00003080u, 0x000E2080u,
                                        0x03C82080u, 0xFA082080u, 0x82082080u};
    int n = utf8SequenceLength(sequence);
    uint32_t v = 0;
    for (int i = 0; i < n; ++i)
    {
        uint8_t byte = static_cast<uint8_t>(sequence[i]);
        // A lead byte promising more bytes than the text holds: stop at the
        // terminator instead of reading past it.
        if (byte == 0 && i > 0)
        {
            if (length)
                *length = i;
            return 0xFFFD;
        }
        v = v * 64 + byte;
    }
    if (length)
        *length = n;
    return v - offsets[n - 1];
}

std::string wideToUtf8(const WideString& text)
{
    std::string out;
    out.reserve(text.size());
    char buffer[4];
    for (char16_t unit : text)
    {
        int n = utf8Encode(unit, buffer);
        out.append(buffer, n);
    }
    return out;
}

WideString utf8ToWide(const std::string& text)
{
    WideString out;
    const char* p = text.c_str();
    while (*p)
    {
        int n = 1;
        uint32_t codePoint = utf8Decode(p, &n);
        out.push_back(static_cast<char16_t>(codePoint & 0xFFFF));
        p += n;
    }
    return out;
}

void setBasePath(const std::string& path)
{
    basePath = path;
}

std::string getBasePath()
{
    return basePath;
}

std::string getSavesPath()
{
    return basePath + "saves/";
}

int32_t hashString(const char* name)
{
    uint32_t h = 0;
    for (const char* p = name; *p; ++p)
    {
        int32_t c = static_cast<signed char>(*p);
        h = (h * 2u) ^ static_cast<uint32_t>(c);
    }
    return static_cast<int32_t>(h);
}

std::vector<std::string> listFiles(const std::string& dir, const std::string& ext)
{
    std::vector<std::string> result;
    std::string pattern = "." + ext;
    for (const std::string& name : platform::listDirectory(dir))
    {
        if (name == "." || name == ".." || name == ".DS_Store")
            continue;
        if (name.find(pattern) != std::string::npos)
            result.push_back(name);
    }
    return result;
}

std::vector<std::string> split(const std::string& text, char delim)
{
    std::vector<std::string> pieces;
    std::istringstream stream(text);
    std::string piece;
    while (std::getline(stream, piece, delim))
        pieces.push_back(piece);
    return pieces;
}

std::vector<std::string> splitQuoted(const std::string& text, char delim)
{
    std::string marked = text;
    size_t first = marked.find('"');
    size_t last = marked.rfind('"');
    if (first != std::string::npos && last != first)
    {
        for (size_t i = first; i < last; ++i)
            if (marked[i] == ' ')
                marked[i] = '#';
    }
    std::vector<std::string> pieces = split(marked, delim);
    for (std::string& piece : pieces)
    {
        std::string cleaned;
        cleaned.reserve(piece.size());
        for (char c : piece)
        {
            if (c == '"')
                continue;
            cleaned.push_back(c == '#' ? ' ' : c);
        }
        piece = cleaned;
    }
    return pieces;
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to)
{
    if (from.empty())
        return text;
    size_t pos = 0;
    while ((pos = text.find(from, pos)) != std::string::npos)
    {
        text.replace(pos, from.size(), to);
        pos += to.size();
    }
    return text;
}

bool fileExists(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    std::fclose(file);
    return true;
}
