#include "resources/Utils.h"

#include "resources/Platform.h"

#include <SFML/System/Utf.hpp>

#include <cstring>
#include <filesystem>
#include <sstream>

namespace
{
std::string basePath;
}

int utf8Encode(uint32_t codePoint, char* out)
{
    if (codePoint > 0x10FFFF)
        codePoint = 0xFFFD;
    if (codePoint >= 0xD800 && codePoint <= 0xDBFF)
    {
        // sf::Utf8 writes nothing for a lone high surrogate, but one 16-bit
        // unit of a font text may be one: keep its three bytes.
        out[0] = static_cast<char>(0xED);
        out[1] = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (codePoint & 0x3F));
        return 3;
    }
    return static_cast<int>(sf::Utf8::encode(codePoint, out) - out);
}

int utf8SequenceLength(const char* lead)
{
    // sf::Utf8's own table of trailing bytes, asked through a sequence made
    // here, so that nothing past the lead byte is read.
    const char sequence[6] = {*lead, '\x80', '\x80', '\x80', '\x80', '\x80'};
    return static_cast<int>(sf::Utf8::next(sequence, sequence + 6) - sequence);
}

uint32_t utf8Decode(const char* sequence, int* length)
{
    int n = utf8SequenceLength(sequence);
    // A lead byte promising more bytes than the text holds: stop at the
    // terminator instead of reading past it.
    int present = sequence[0] == '\0' ? 1 : static_cast<int>(strnlen(sequence, static_cast<size_t>(n)));
    sf::Uint32 codePoint = 0;
    sf::Utf8::decode(sequence, sequence + present, codePoint, 0xFFFD);
    if (length)
        *length = present;
    return present < n ? 0xFFFDu : codePoint;
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
        if (name == ".DS_Store")
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
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}
