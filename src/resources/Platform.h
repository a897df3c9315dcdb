#ifndef QUILLFENN_RESOURCES_PLATFORM_H
#define QUILLFENN_RESOURCES_PLATFORM_H

#include <string>
#include <vector>

// The few operating-system services the game needs, kept behind one small
// interface: working directory, directory listing, local time, folders.
namespace platform
{

// Current working directory, "" when unknown.
std::string workingDirectory();

// Entry names of a directory, without "." and "..", in the order the
// directory stream delivers them; ok is set to false when the directory
// does not open.
std::vector<std::string> listDirectory(const std::string& path, bool* ok = nullptr);

// Local time formatted with strftime; "" when the result does not fit.
std::string formatLocalTime(const char* format);

// Creates a directory (one level); true when it exists afterwards.
bool makeDirectory(const std::string& path);

// Writes data to a temporary file beside path, flushes it to the disk and
// renames it over path, so path holds either its old contents or all of the
// new ones. False with error set (and the temporary file removed) on failure,
// a write beyond the process's file size limit included.
bool writeFileReplacing(const std::string& path, const std::string& temporaryPath, const std::string& data,
                        std::string* error = nullptr);

// Lets a write beyond the process's file size limit fail like any other
// write instead of ending the process (SIGXFSZ ignored, unless the process
// handles it itself).
void ignoreFileSizeSignal();

// Reads a whole file of at most maxBytes bytes. Only a regular file is
// read, and opening never waits (for a named pipe's writer, say).
enum ReadResult
{
    ReadOk,
    ReadMissing,  // does not exist or does not open
    ReadTooLarge, // longer than maxBytes: not read
    ReadNotAFile  // a folder, pipe, device or socket: not read
};
ReadResult readFile(const std::string& path, long long maxBytes, std::string& data);

// Reads at most the first maxBytes bytes of a regular file, as readFile.
ReadResult readFileStart(const std::string& path, long long maxBytes, std::string& data);

// The path stem + extension, or, when a file of that name exists, stem +
// " (2)" + extension, " (3)", ... the first that is free.
std::string unusedPath(const std::string& stem, const std::string& extension);

// Starts the desktop's opener (xdg-open) on a folder without a shell and
// without waiting for it. False when it could not be started.
bool openWithDesktop(const std::string& path);

// Waits for the openers that have ended, so none stays a zombie; never
// waits for one still running. The main loop calls it every frame.
void reapEndedOpeners();

// Whether the audio library holds an output context; call it after the
// first sound object was made (that is what opens the device).
bool audioOutputAvailable();

} // namespace platform

#endif
