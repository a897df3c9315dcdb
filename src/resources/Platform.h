#ifndef QUILLFENN_RESOURCES_PLATFORM_H
#define QUILLFENN_RESOURCES_PLATFORM_H

#include <string>
#include <vector>

// The few operating-system services the game needs, kept behind one small
// interface: working directory, directory listing, local time, folders.
namespace platform
{

// Current working directory (at most 1024 characters), "" when unknown.
std::string workingDirectory();

// Entry names of a directory in the order the directory stream delivers them;
// ok is set to false when the directory does not open.
std::vector<std::string> listDirectory(const std::string& path, bool* ok = nullptr);

// Local time formatted with strftime; "" when the result does not fit.
std::string formatLocalTime(const char* format);

// Creates a directory (one level); true when it exists afterwards.
bool makeDirectory(const std::string& path);

// Whether the audio library holds an output context; call it after the
// first sound object was made (that is what opens the device).
bool audioOutputAvailable();

} // namespace platform

#endif
