#pragma once
// The path layer. The game spells paths the Windows way ("DATA\fx\Glow.TGA"):
// backslashes and any letter case. Every file access goes through here, so
// every spelling finds the file that exists, and every file the game writes
// is replaced atomically (written beside the target, then renamed over it).

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Turns a game path into a path of this file system: backslashes become
// slashes and each component is matched case-insensitively against what
// exists. Components that do not exist keep the spelling they were given, so
// a new file is created under the caller's spelling.
std::string resolvePath(std::string_view gamePath);

// fopen of the resolved path.
std::FILE* openFile(std::string_view gamePath, const char* mode);

// True when the path names a file that can be opened for reading.
bool fileReadable(std::string_view gamePath);

// Reads a whole file, refusing files larger than maxBytes. False when the
// file is missing, unreadable or too large; `out` is then empty.
bool readWholeFile(std::string_view gamePath, std::vector<std::uint8_t>& out,
                   std::size_t maxBytes = 256u * 1024u * 1024u);

// Writes the bytes to a temporary file beside the target, flushes it and
// renames it over the target. 0 on success, -1 on any failure; on failure
// the file that was on disk is untouched.
int writeFileAtomic(std::string_view gamePath, const void* data, std::size_t size);

// Removes a file. True when it existed and is gone.
bool deleteFile(std::string_view gamePath);

// Creates a directory (and its parents) under the resolved spelling.
bool makeDirectories(std::string_view gamePath);

// Changes the working directory (the game's data root).
bool changeDirectory(const std::string& directory);

}  // namespace platform
