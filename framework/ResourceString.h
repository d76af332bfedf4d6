// String resources and the program's name.
#pragma once

#include <windows.h>

#include <string>

// A string resource of this program; empty when there is none.
std::string LoadResourceString(UINT id);

// The program's name, which the program's resources give as IDS_APP_TITLE:
// the frame's title, the message boxes' caption, the profile's key.
std::string AppName();
// A window class of this program, named after it: AppName() + role, so two
// programs built on the framework never share a class.
std::string AppWindowClass(const char* role);
