// Internet shortcut files read and written.
#pragma once

#include <cstdint>
#include <string>

class IPrompt;

// Internet shortcut files: "[InternetShortcut]" and "URL=" lines.

// A shortcut file larger than this is taken as unreadable.
extern const uint64_t kMaxShortcutFileSize;

// The whole file as written, each line ended by CR LF: two lines, and two
// more for a URL the legacy code page cannot hold.
std::string ShortcutFileText(const std::string& url);

// The chosen path with ".url" appended unless its extension already is
// "url" in any letter case.
std::string ShortcutFilePath(const std::string& chosen);

// Writes the file through the safe write; a failure is reported with the
// standard file-error text and returns false.
bool SaveShortcutFile(const std::string& path, const std::string& url, IPrompt& prompt);

// The URL value as the Windows initialisation-file reader returns it, read
// whole, or its Unicode form where the file has one; empty when the file,
// its section or its key is missing or the file cannot be read.
std::string ReadShortcutURL(const std::string& path);

// Whether a file name's extension (from its last dot on) is ".url" in any
// letter case.
bool IsShortcutFileName(const std::string& path);

// The file name without its directory and without its last extension.
std::string ShortcutBaseName(const std::string& path);
