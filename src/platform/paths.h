#pragma once
// The path layer. The game spells paths the Windows way ("DATA\fx\Glow.TGA"):
// backslashes and any letter case. Every file access goes through here, so
// every spelling finds the file that exists, and every file the game writes
// is replaced atomically (written beside the target, then renamed over it).
//
// Relative paths have up to two roots. The working directory is the
// player's own folder: every write, delete and new folder goes there. An
// installed game also has its read-only data tree: a path read that does not
// exist in the player's folder is looked up there. Without a data tree
// (build/dist, --data) both roots are the working directory.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The read-only data tree (an absolute folder), or none when empty.
void setDataTree(std::string directory);
const std::string& dataTree();

// The folder of the chosen language's own files ("data\lang\de"), or empty
// for none. A read of a path under "data\" then looks for the language's
// copy first ("data\menu\x.jpg" -> "data\lang\de\menu\x.jpg", in both
// roots) and falls back to the shared file; writes are never redirected.
void setLanguageFolder(std::string gameFolder);

// Turns a game path into the path of this file system it is read from:
// backslashes become slashes and each component is matched
// case-insensitively against what exists, in the player's folder first,
// then in the data tree. Components that do not exist keep the spelling they
// were given; a path found in neither root resolves into the player's
// folder.
std::string resolvePath(std::string_view gamePath);

// The same in the player's folder alone: where a write of the path goes.
// A new file is created under the caller's spelling.
std::string resolveWritePath(std::string_view gamePath);

// The same as an absolute path, for telling the player which file it is.
std::string absoluteWritePath(std::string_view gamePath);

// fopen of the resolved path: reading modes ("r", "rb") look in both roots,
// any mode that writes resolves into the player's folder.
std::FILE* openFile(std::string_view gamePath, const char* mode);

// True when the path names a file that can be opened for reading.
bool fileReadable(std::string_view gamePath);

// What became of reading a whole file.
enum class WholeFileRead {
    Read,          // every byte is in `out`
    Missing,       // no such file (or a folder on the way is a file)
    CannotOpen,    // it is there but would not open: permission, a name too long
    NotReadWhole,  // it opened but is not a plain file, is too large or failed to read
};

// Reads a whole file, refusing files larger than maxBytes; `out` is empty
// unless it was read. One lookup of the path tells why a read failed, so a
// caller need not look the file up again to say so.
WholeFileRead tryReadWholeFile(std::string_view gamePath, std::vector<std::uint8_t>& out,
                               std::size_t maxBytes = 256u * 1024u * 1024u);

// The same, true when read.
bool readWholeFile(std::string_view gamePath, std::vector<std::uint8_t>& out,
                   std::size_t maxBytes = 256u * 1024u * 1024u);

// Writes the bytes to a temporary file beside the target, flushes it and
// renames it over the target. 0 on success, -1 on any failure; on failure
// the file that was on disk is untouched, no temporary file is left and
// errno tells why.
int writeFileAtomic(std::string_view gamePath, const void* data, std::size_t size);

// Moves a file of the player's folder over another in one step (rename).
// True on success; on failure both are as they were.
bool replaceFile(std::string_view fromGamePath, std::string_view toGamePath);

// Removes a file of the player's folder. True when it existed and is gone.
bool deleteFile(std::string_view gamePath);

// Creates a directory (and its parents) in the player's folder, under the
// spelling of what exists there.
bool makeDirectories(std::string_view gamePath);

// Changes the working directory (the game's data root).
bool changeDirectory(const std::string& directory);

}  // namespace platform
