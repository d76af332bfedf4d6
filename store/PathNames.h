// Parts of paths: file titles, folders, extensions.
#pragma once

#include <string>

// Parts of paths as the platform writes them. On Windows a backslash, a slash
// or a drive colon separates; natively a slash (and, for names taken from
// Windows files, a backslash).

// The file name with its extension: what follows the last separator.
std::string FileTitleOf(const std::string& path);

// The name a group takes from a file: the part after the last backslash
// (and natively also the last slash).
std::string GroupNameOfPath(const std::string& path);

// `path` with "." + `extension` appended unless its file name already ends
// in that extension, compared without regard to case.
std::string WithExtension(const std::string& path, const char* extension);

// `path` with "." + `extension` appended only when its file name has no
// extension at all (none, or nothing after the last dot).
std::string WithDefaultExtension(const std::string& path, const char* extension);

// The folder holding `path`: "." for a bare name, the root for a file in it.
std::string FolderOf(const std::string& path);

// The full path of `path` from the current folder; `path` itself when the
// system cannot make one.
std::string FullPathOf(const std::string& path);

// What follows the last of `separators` in `path` (all of it when none);
// the platform files cut their names with it.
std::string AfterLastOf(const std::string& path, const char* separators);
