#ifndef QUILLFENN_RESOURCES_UTILS_H
#define QUILLFENN_RESOURCES_UTILS_H

#include <cstdint>
#include <string>
#include <vector>

// One 16-bit unit per code point, as the bitmap fonts index their glyphs.
typedef std::u16string WideString;

// Writes the code point as UTF-8 into out (at least 4 bytes); returns 1..4.
int utf8Encode(uint32_t codePoint, char* out);

// Length (1..6) of the sequence that the lead byte starts.
int utf8SequenceLength(const char* lead);

// Decodes one sequence; a sequence cut short by the terminating NUL decodes
// to U+FFFD and reports only the bytes before the NUL.
uint32_t utf8Decode(const char* sequence, int* length = nullptr);

// Each 16-bit unit encoded as UTF-8, in order.
std::string wideToUtf8(const WideString& text);

// Each UTF-8 sequence decoded into one 16-bit unit (higher bits dropped).
WideString utf8ToWide(const std::string& text);

// The process-wide folder every resource path is relative to.
void setBasePath(const std::string& path);

// A copy of the base folder.
std::string getBasePath();

// The base folder followed by "saves/".
std::string getSavesPath();

// Widget id of a name: h = h * 2 XOR c over its signed characters.
int32_t hashString(const char* name);

// Names in dir containing "." + ext, in directory order, without "." and "..".
std::vector<std::string> listFiles(const std::string& dir, const std::string& ext);

// Pieces between delimiters; no empty last piece after a trailing delimiter.
std::vector<std::string> split(const std::string& text, char delim);

// Like split, but blanks inside the outermost double quotes stay in one piece.
std::vector<std::string> splitQuoted(const std::string& text, char delim);

// True when a regular file stands at the path (a folder or a pipe is none).
bool fileExists(const std::string& path);

// Every occurrence of from replaced by to.
std::string replaceAll(std::string text, const std::string& from, const std::string& to);

#endif
