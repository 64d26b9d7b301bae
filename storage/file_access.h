#pragma once
// Whole-file reads and writes with the hold rule: a file that ReadWholeFile has read stays held until the
// next CloseAllFiles, and a held file cannot be written. Only the user-interface thread touches files.
//
// Paths are Texts with backslashes, absolute or relative to the current directory; they are opened with
// the platform's separators. A held file carries a shared advisory lock and a write takes an exclusive
// one, so a second running copy of the program can neither write a file that this one holds nor have a
// file replaced under it while it writes.

#include "text/text.h"

enum class WriteOutcome {
  Written,  // the file now holds the content
  Held,     // refused: this process holds the same file from a ReadWholeFile not yet released
  Failed,   // refused or failed for any other reason; the file keeps its previous content
};

// The file's bytes up to the first 00 or 1A that begins a character (a lead byte followed by 00 ends the
// text before the lead byte). The empty text, with nothing held, when the file cannot be opened for
// reading and writing: missing, read-only, no access, empty path, missing directory.
Text ReadWholeFile(const Text& path);

// Replaces the whole file with `content`. The new content is written beside the file and renamed over
// it, so the file holds either its old or its new content at every moment, whatever happens to the
// process or the disk. A read-only file refuses the write; the file keeps its permissions.
WriteOutcome WriteWholeFile(const Text& path, const Text& content);

// Releases every held file.
void CloseAllFiles();

// The path as the platform opens it: backslashes become slashes.
std::string NativePath(const Text& path);
