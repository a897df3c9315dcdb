// The text helpers on arbitrary bytes: UTF-8 decoding and encoding, the wide
// conversions the fonts use, the two splitters and the widget-id hash.

#include "FuzzSupport.h"

#include "resources/Font.h"
#include "resources/Utils.h"

#include <cstring>

namespace
{

// Pieces of split joined again give the text back, less a trailing delimiter.
void checkSplit(const std::string& text, char delim)
{
    std::vector<std::string> pieces = split(text, delim);
    std::string joined;
    for (size_t i = 0; i < pieces.size(); ++i)
    {
        if (i > 0)
            joined += delim;
        joined += pieces[i];
    }
    std::string expected = text;
    if (!expected.empty() && expected.back() == delim)
        expected.pop_back();
    fuzz::check(text.empty() ? pieces.empty() : joined == expected, "split pieces rejoin");
}

void checkSplitQuoted(const std::string& text, char delim)
{
    for (const std::string& piece : splitQuoted(text, delim))
        fuzz::check(piece.find('"') == std::string::npos && piece.find('#') == std::string::npos,
                    "quotes and marks removed");
}

// Every code point encodes to 1..4 bytes that decode back to it (or to U+FFFD).
void checkCodePoint(uint32_t codePoint)
{
    char buffer[8] = {};
    int n = utf8Encode(codePoint, buffer);
    fuzz::check(n >= 1 && n <= 4, "encoded length");
    if (codePoint == 0)
        return;
    int length = 0;
    uint32_t back = utf8Decode(buffer, &length);
    fuzz::check(length == n, "decoded length");
    fuzz::check(back == (codePoint < 0x110000 ? codePoint : 0xFFFDu), "decode undoes encode");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::silenceLogs();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The helpers read NUL-terminated text: give them exactly the input and a terminator.
    std::string bytes(reinterpret_cast<const char*>(data), size);
    const char* c = bytes.c_str();

    for (size_t i = 0; i < size; i += static_cast<size_t>(utf8SequenceLength(c + i)))
    {
        int length = 0;
        utf8Decode(c + i, &length);
        fuzz::check(length >= 1 && length <= 6, "sequence length");
        if (!c[i])
            break;
    }
    for (size_t i = 0; i + 4 <= size; i += 4)
    {
        uint32_t codePoint;
        std::memcpy(&codePoint, data + i, 4);
        checkCodePoint(codePoint);
    }

    WideString wide = utf8ToWide(bytes);
    fuzz::check(wide.size() <= std::strlen(c), "no more units than bytes");
    // A unit 0 (an overlong or cut-down sequence) ends the text on the way back.
    fuzz::check(utf8ToWide(wideToUtf8(wide)) == wide.substr(0, wide.find(u'\0')),
                "wide text survives a round trip");
    Font::toUpper(bytes);
    hashString(c);

    char delim = size ? static_cast<char>(data[0]) : ',';
    for (char d : {delim, ' ', ',', '\n'})
    {
        checkSplit(bytes, d);
        checkSplitQuoted(bytes, d);
    }
    return 0;
}
