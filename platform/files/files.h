// The file services the system calls on, in the shape of the Windows runtime that it was written
// for: one shared directory listing, file attributes, numbered sequential line files and the
// program's folder.
//
// Paths may use '\' or '/' as separators; '\' is turned into '/' before the OS sees the path.
// Paths and file names are UTF-8 on the OS side whatever the locale (see os_path.h); only the
// contents of line files go through the user's code page. A path that holds a NUL character is
// refused. Every OS error is raised as a platform::RuntimeError whose message names the file,
// the operation and the reason, e.g.
//   Cannot open "/x/setting.dat" for writing: Permission denied
#pragma once

#include "platform/text/text.h"

namespace platform {

// Starts the process's one shared listing of `pattern` (a path whose last component may hold the
// wildcards '*' and '?', matched case-sensitively, see wildcard.h) and returns the first matching
// name, without its folder, or an empty text when nothing matches. Only regular files are listed,
// a symbolic link counting as what it points to: no folders and no hidden files (names that start
// with '.'). Read-only files are listed. Names come in the order the OS gives them. A folder that
// does not exist, and an empty last component ("folder\"), give no name; other OS errors raise.
// The names are taken when the listing starts, so later changes to the folder do not show.
Text Dir(const Text& pattern);
// The next name of the listing started last, or an empty text when there is none (also when
// no listing was started).
Text Dir();

// Clears the read-only, hidden, system and archive attributes: afterwards the owner may write
// the file. Nothing else about the file changes (hidden is a matter of the name, and Linux has
// no system or archive mark). A symbolic link is followed.
void ClearAttributes(const Text& path);

enum class FileMode { kInput, kOutput };

// The lowest file number (1 to 255) that is not open. It stays free until a file is opened on it,
// so a call nested in a yield gets another number only once the outer call has opened its file.
int FreeFile();
// Opens `path` on file number `handle`; several files may be open at once on different numbers.
// kInput reads an existing file: its content is taken in whole here, so a later change to the
// file does not show in the lines still to be read. kOutput creates the file or empties it;
// each line goes to the OS as it is written. Texts go through the user's code page (see
// platform/text/text.h). Opening a number that is already open raises.
void Open(const Text& path, FileMode mode, int handle);
// True when no more bytes can be read from the input file `handle`.
bool Eof(int handle);
// Reads one line. A line ends at CR LF or at a lone CR; a lone LF belongs to the line. A line
// end at the very end of the file is consumed with the last line, so it adds no empty line.
// Reading past the end raises.
Text LineInput(int handle);
// Writes the text followed by CR LF.
void PrintLine(int handle, const Text& line);
// Closes the file and frees its number, also when the OS reports an error, which then raises.
void Close(int handle);

// The folder that holds the running program file, with symbolic links resolved, without a
// trailing separator (except the root folder, "/").
Text ProgramFolder();

// Makes ProgramFolder() answer `folder` instead; an empty text restores the real folder. Tests
// use it to keep setting files out of the folder of the test program.
void SetProgramFolderForTesting(const Text& folder);

}  // namespace platform
