// The command lines that start a browser on a URL.
#pragma once

#include <string>

class ILauncher;

// Whether the launching commands treat `url` as an e-mail address: "mailto:"
// byte for byte, so "MAILTO:" counts as a web address.
bool IsEmailUrl(const std::string& url);

// The program part of a registered browser command: a leading quoted path
// without its quotes, else everything before the first double quote; empty
// when the quote searched for is missing.
std::string ProgramPart(const std::string& command);

// `argument` as exactly one argument of a Windows command line: as it is
// unless it holds a blank, tab or double quote; then in double quotes, with
// embedded quotes escaped and the backslashes before them doubled.
std::string QuoteArgument(const std::string& argument);

// A program as the user entered it (a path, perhaps with switches), quoted
// only when it is a path with blanks and no quotes that names an existing
// file: unquoted, "C:\Program Files\b.exe" would start C:\Program.exe.
std::string ProgramText(const std::string& program, ILauncher& launcher);

// The registered command's program part, ready to start a command line;
// empty when the command has none.
std::string RegisteredProgram(const std::string& command, ILauncher& launcher);

// "program URL", the URL one argument whatever it holds.
std::string BrowserCommandLine(const std::string& program, const std::string& url);
