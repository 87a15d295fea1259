#pragma once
// The INI store: every text configuration file of the game (settings, player
// list, language texts, sound lists, screen layouts) is read and written here.
//
// One file is held in memory at a time, keyed by the path as the caller
// spelled it (letter case ignored). A run of lookups in the same file, the way
// a screen reads its keys, costs no disk access; alternating between two files
// reloads each time. A file changed on disk by anyone else is not seen again
// until another file has been loaded in between.
//
// A write edits the text in memory and saves the whole file atomically;
// every byte outside the replaced value stays as it was (comments, order,
// line ends). New sections and keys are written with CR LF line ends.
//
// A batch (IniSaveBatch below) turns a run of writes into one save per file.
//
// Paths are game paths ("data\sound\sound.ini") of at most 1023 bytes; a
// longer path reads as empty and cannot be written. Main thread only: the
// cache and the returned value text are shared.

#include <cstddef>
#include <cstdint>
#include <string>

// The value of `key` in the first `section` of the file, or "" when the file,
// section or key is missing. The text lives in a shared buffer that the next
// call of any INI operation overwrites, so copy it at once. Values longer
// than 1023 bytes are cut there.
const char* iniReadString(const char* path, const char* section, const char* key);

// The leading decimal integer of the value ("12abc" is 12); 0 without digits.
std::int32_t iniReadInt(const char* path, const char* section, const char* key);

// The leading decimal number of the value; 0.0 without one.
float iniReadFloat(const char* path, const char* section, const char* key);

// Sets the value, adding the key (as the section's first key) or the section
// (at the end of the file) when missing, and saves the file. 0 when saved;
// -1 when it cannot be saved: the change is then kept in memory only and the
// file on disk is untouched. A value ends at its first CR or LF, as the reader
// would see it. A section or key holding a line end, and a key starting with
// whitespace or "[", are refused (-1, nothing changed): they would plant lines
// of their own in the file or could never be found again.
int iniWriteString(const char* path, const char* section, const char* key, const char* value);
int iniWriteInt(const char* path, const char* section, const char* key, std::int32_t value);  // "%d"
int iniWriteFloat(const char* path, const char* section, const char* key, float value);       // "%f"

// Re-reads the file and lists its section names in file order, each followed
// by a zero byte, the list closed by an empty name. Writes at most `capacity`
// bytes: names that do not fit are left out, the list is still closed.
// Headers without "]" on their line, and empty names (which would close the
// list early), are skipped. Returns the number of names listed.
int iniListSections(const char* path, char* out, std::size_t capacity);

// Writes an empty file under the path and makes it the cached, empty file,
// so following writes rebuild it from nothing. 0 when saved, -1 otherwise.
int iniClearFile(const char* path);

// Frees the cached file and forgets its name (at shutdown); the next access
// reads from disk again.
void iniReleaseCache();

// False for an empty path; otherwise true when the path names a file (not a
// folder) that can be opened for reading.
bool fileExists(const char* path);

// Holds every save of the INI calls made while it lives and writes each file
// they changed once, whole, when it ends: one temporary file, one fsync, one
// rename. A program killed part way through a run of writes therefore leaves
// the old file or the new one, never a mix of the two. Wrap any sequence of
// writes that belongs together, for example the player list:
//
//     {
//         IniSaveBatch save;
//         iniClearFile("profiles.ini");
//         iniWriteInt("profiles.ini", "main", "current", current);
//         for (...) iniWriteString("profiles.ini", "users", key, name);
//         if (save.finish() != 0) ...;   // or let the scope end
//     }
//
// Inside a batch the writes return 0 unless refused outright (bad names, a
// file that exists but cannot be read); whether the files reached the disk is
// what finish() returns. Reads see the changes at once, also after other
// files were read in between. Batches nest: only the outermost one writes.
// When a file cannot be written its change is lost once another file has
// been cached, as after a failed write outside a batch.
class IniSaveBatch {
public:
    IniSaveBatch();
    ~IniSaveBatch();
    IniSaveBatch(const IniSaveBatch&) = delete;
    IniSaveBatch& operator=(const IniSaveBatch&) = delete;

    // Ends the batch now: 0 when every held file was saved (or nothing was
    // held), -1 when any could not be. Later calls return the same.
    int finish();

private:
    bool finished_ = false;
    int result_ = 0;
};

// "PATH: REASON" of the last file the store could not write (the path in the
// player's folder), empty while every write has succeeded.
const std::string& iniLastWriteFailure();
